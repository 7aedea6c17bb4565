#include <QtTest>

#include "Boxes.h"
#include "VersionInfo.h"

// Built with the executable's version resource.
class TestVersionInfo : public QObject {
    Q_OBJECT

private slots:
    void theVersionBox() {
        Boxes boxes;
        ShowVersionInfo();
        QCOMPARE(boxes.shown.size(), 1);
        const controls::BoxRequest& box = boxes.shown[0];
        QCOMPARE(box.title, QStringLiteral("Information"));
        QCOMPARE(box.type, controls::BoxType::Information);
        QCOMPARE(box.buttons, QList<controls::BoxButton>{controls::BoxButton::Ok});
        QCOMPARE(box.defaultButton, controls::BoxButton::Ok);
        QCOMPARE(box.escapeButton, controls::BoxButton::Ok);
        const QStringList lines = box.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("Version: 1.1.0.9 "));
        QCOMPARE(lines[1], QStringLiteral("()"));
        QVERIFY(lines[2].startsWith(QStringLiteral("Copyright")));
    }

    void resourceValues() {
        const auto r = VersionResource::load();
        QVERIFY(r);
        QCOMPARE(r->queryValue("StringFileInfo\\040704E4\\ProductVersion"), QStringLiteral("1.0.0.0"));
        QVERIFY(!r->queryValue("StringFileInfo\\040704E4\\CompanyName").isEmpty());
        QCOMPARE(r->queryValue("StringFileInfo\\040904B0\\FileVersion"), QString());  // another translation: empty
    }

    void repeatedCallsKeepNothing() {
        Boxes boxes;
        for (int i = 0; i < 200; ++i)
            ShowVersionInfo();
        QCOMPARE(boxes.shown.size(), 200);
        QCOMPARE(boxes.shown.first().text, boxes.shown.last().text);
    }
};

QTEST_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"
