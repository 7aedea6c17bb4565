#include "SortFold.h"

namespace engine {

QString sortFoldSql(const QString& columnSql) {
    QString e = columnSql;
    const char* pairs[][2] = {{"Ä", "a"}, {"ä", "a"}, {"Ö", "o"}, {"ö", "o"}, {"Ü", "u"}, {"ü", "u"}, {"ß", "ss"}};
    for (const auto& p : pairs)
        e = QStringLiteral("replace(%1,'%2','%3')").arg(e, QString::fromUtf8(p[0]), QString::fromUtf8(p[1]));
    return QStringLiteral("lower(%1)").arg(e);
}

QByteArray sortFold(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case 0xC4: case 0xE4: out += u'a'; break;
        case 0xD6: case 0xF6: out += u'o'; break;
        case 0xDC: case 0xFC: out += u'u'; break;
        case 0xDF: out += QLatin1String("ss"); break;
        default:
            out += (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
        }
    }
    return out.toUtf8();
}

bool sortFoldCoversCase(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80)
            continue;
        if (u == 0xC4 || u == 0xE4 || u == 0xD6 || u == 0xF6 || u == 0xDC || u == 0xFC || u == 0xDF)
            continue;
        // Any other character with case variants could match a row whose sort
        // key lies outside the folded range.
        if (c.toLower() != c || c.toUpper() != c)
            return false;
    }
    return true;
}

} // namespace engine
