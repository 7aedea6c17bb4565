#include "IniFile.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace daten {

namespace {

QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Files written by older Windows editors are in the ANSI code page.
    QStringDecoder ansi("windows-1252");
    return ansi.isValid() ? ansi(bytes) : QString::fromLatin1(bytes);
}

QString unquote(QString value) {
    value = value.trimmed();
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

} // namespace

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return defaultValue;
    const QString text = decode(file.readAll());
    bool inSection = false;
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            const qsizetype close = line.indexOf(u']');
            const QStringView name = close < 0 ? line.mid(1) : line.mid(1, close - 1);
            inSection = name.trimmed().compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0 || line.left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
            continue;
        return unquote(line.mid(eq + 1).toString()).left(maxValueLength);
    }
    return defaultValue;
}

QString settingsPathFor(const QString& executablePath) {
    int lastSeparator = int(executablePath.lastIndexOf(QDir::separator()));
#ifdef Q_OS_WIN
    lastSeparator = std::max({lastSeparator, int(executablePath.lastIndexOf(u'/')), int(executablePath.lastIndexOf(u':'))});
#endif
    const qsizetype dot = executablePath.lastIndexOf(u'.');
    if (dot > lastSeparator)
        return executablePath.left(dot) + QStringLiteral(".ini");
    return executablePath + QStringLiteral(".ini");
}

} // namespace daten
