#include <QtTest>

#include "Boxes.h"
#include "VersionInfo.h"

// Built without a version resource: the version box stays away.
class TestNoVersion : public QObject {
    Q_OBJECT

private slots:
    void noResourceNoBox() {
        Boxes boxes;
        QVERIFY(!VersionResource::load());
        ShowVersionInfo();
        QVERIFY(boxes.shown.isEmpty());
    }
};

QTEST_MAIN(TestNoVersion)
#include "tst_noversion.moc"
