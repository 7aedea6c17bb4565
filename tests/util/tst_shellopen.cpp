#include <QDesktopServices>
#include <QtTest>

#include "ShellOpen.h"

class TestShellOpen : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << (url.isLocalFile() ? url.toLocalFile() : url.toString(QUrl::FullyEncoded)); }

private slots:
    void init() {
        opened.clear();
        for (const char* scheme : {"http", "https", "file", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    void cleanup() {
        for (const char* scheme : {"http", "https", "file", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }

    void emptyTextOpensNothing() {
        ShellOpen(QString());
        QVERIFY(opened.isEmpty());
    }

    void wholeTextArrives_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << "http://www.example.com/login";
        const QString longUrl = "http://www.example.com/" + QString(239, u'a');
        QTest::newRow("262 characters") << longUrl;
        QTest::newRow("query and fragment") << "https://shop.example.com/a?b=c&d=e#f";
        QTest::newRow("a path") << "/home/einkauf/Liste.pdf";
        QTest::newRow("mail") << "mailto:einkauf@example.com";
    }

    void wholeTextArrives() {
        QFETCH(QString, text);
        ShellOpen(text);
        QCOMPARE(opened, QStringList{text});
        QCOMPARE(opened[0].size(), text.size());
        if (QTest::currentDataTag() == QLatin1String("262 characters"))
            QCOMPARE(opened[0].size(), 262);
    }

    void failureIsNotReported() {
        cleanup();
        ShellOpen("unbekannt:etwas");  // nobody opens it; nothing is thrown
        QVERIFY(opened.isEmpty());
    }
};

QTEST_MAIN(TestShellOpen)
#include "tst_shellopen.moc"
