#pragma once

#include <QString>

namespace daten {

// Reads one value of a settings file the way the Windows profile reader does:
// section and key names ignore case, blanks around the value and one pair of
// enclosing quotes are removed, a value is cut to 2047 characters, and
// anything missing reads as the default. Never writes, never fails.
class IniFile {
public:
    explicit IniFile(QString path) : m_path(std::move(path)) {}
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;

    static constexpr int maxValueLength = 2047;

private:
    QString m_path;
};

// The executable's path with its extension replaced by ".ini".
QString settingsPathFor(const QString& executablePath);

} // namespace daten
