#pragma once

#include <QString>
#include <optional>

// The version resource of the program's own executable.
class VersionResource {
public:
    // Empty when the executable carries no version resource.
    static std::optional<VersionResource> load();
    // A value under "StringFileInfo\<translation>\<key>"; empty text when missing.
    QString queryValue(const QString& subBlock) const;

private:
    QString m_text;
};

// The version text: "Version: <file version> \r\n(<description>)\r\n<copyright>".
QString versionText(const VersionResource& resource);

// Shows the version box; without a version resource nothing happens.
void ShowVersionInfo();
