#include "VersionInfo.h"

#include <QFile>

#include "MessageBox.h"

namespace {
const char* const resourcePath = ":/lieferanten/version/VS_VERSION_INFO";
const char* const translation = "StringFileInfo\\040704E4\\";
} // namespace

std::optional<VersionResource> VersionResource::load() {
    QFile file(QString::fromLatin1(resourcePath));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    VersionResource r;
    r.m_text = QString::fromUtf8(file.readAll());
    return r;
}

QString VersionResource::queryValue(const QString& subBlock) const {
    for (QStringView line : QStringView(m_text).split(u'\n')) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && line.left(eq) == subBlock)
            return line.mid(eq + 1).toString().remove(u'\r');
    }
    return {};
}

QString versionText(const VersionResource& resource) {
    const QString prefix = QString::fromLatin1(translation);
    const QString fileVersion = resource.queryValue(prefix + QStringLiteral("FileVersion"));
    const QString copyright = resource.queryValue(prefix + QStringLiteral("LegalCopyright"));
    const QString description = resource.queryValue(prefix + QStringLiteral("FileDescription"));
    return QStringLiteral("Version: %1 %2(%3)%4%5")
        .arg(fileVersion, QStringLiteral("\r\n"), description, QStringLiteral("\r\n"), copyright);
}

void ShowVersionInfo() {
    const std::optional<VersionResource> resource = VersionResource::load();
    if (!resource)
        return;
    controls::messageDlg(versionText(*resource), controls::BoxType::Information, {controls::BoxButton::Ok});
}
