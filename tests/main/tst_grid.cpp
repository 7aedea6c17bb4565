#include "WindowFixture.h"

#include <QHeaderView>

using namespace controls;
using dataset::DataSetState;

// The grid: moving, in-place editing and its keys.
class TestGrid : public QObject {
    Q_OBJECT

    static QWidget* cellEditor(const WindowFixture& f) {
        QWidget* w = QApplication::focusWidget();
        const DbGrid* g = f.window->DBGrid1;
        return w && w != g && w != g->viewport() && g->isAncestorOf(w) ? w : nullptr;
    }

    static void focusGrid(const WindowFixture& f) {
        f.window->DBGrid1->setFocus();
        QTRY_VERIFY(f.window->DBGrid1->hasFocus());
    }

    static int rows(const WindowFixture& f) { return f.module.db.scalar("SELECT count(*) FROM Lieferanten").toInt(); }

private slots:
    void keysAndClicksMoveTheTable() {
        WindowFixture f{{"A"}, {"B"}, {"C"}, {"D"}};
        DbGrid* g = f.window->DBGrid1;
        focusGrid(f);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("B"));
        QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("D"));
        QTest::keyClick(g, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("A"));
        const QRect cell = g->visualRect(g->model()->index(2, 1));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("C"));
        QCOMPARE(f.table().recNo(), 3);
        QTest::keyClick(g, Qt::Key_PageDown);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("D"));
    }

    void typingIntoACellEditsTheEntry() {
        WindowFixture f{{"Alpha"}, {"Beta"}};
        DbGrid* g = f.window->DBGrid1;
        focusGrid(f);
        QTest::keyClick(g, Qt::Key_Z);
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QWidget* editor = cellEditor(f);
        QVERIFY(editor);
        QCOMPARE(qobject_cast<QLineEdit*>(editor)->maxLength(), 255);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClick(g, Qt::Key_Down);  // the move saves
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(f.module.db.scalar("SELECT Firma FROM Lieferanten WHERE ID = 1").toString(), QStringLiteral("z"));
    }

    void escapeTwice() {
        WindowFixture f{{"Alpha", "K1"}};
        DbGrid* g = f.window->DBGrid1;
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "2");  // a change elsewhere in the entry
        focusGrid(f);
        QTest::keyClick(g, Qt::Key_F2);
        QWidget* editor = cellEditor(f);
        QVERIFY(editor);
        f.type(editor, "xyz");
        QTest::keyClick(editor, Qt::Key_Escape);
        QTRY_VERIFY(!cellEditor(f));
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QCOMPARE(f.module.field("Firma").asString(), QStringLiteral("Alpha"));
        QTest::keyClick(g, Qt::Key_Escape);
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("K1"));
    }

    void insertKeyAndLeavingTheGridLeavesNoEntry() {
        WindowFixture f{{"A"}, {"B"}};
        focusGrid(f);
        QTest::keyClick(f.window->DBGrid1, Qt::Key_Insert);
        QCOMPARE(f.table().state(), DataSetState::Insert);
        QCOMPARE(f.window->DBGrid1->model()->rowCount(), 3);
        QCOMPARE(f.window->DBGrid1->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("*"));
        f.window->edlogon->setFocus();
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(f.window->DBGrid1->model()->rowCount(), 2);
        QCOMPARE(rows(f), 2);
    }

    void downOnTheLastRowAppendsUpDiscards() {
        WindowFixture f{{"A"}, {"B"}};
        DbGrid* g = f.window->DBGrid1;
        focusGrid(f);
        QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(f.table().state(), DataSetState::Insert);
        QVERIFY(f.table().insertIsAppend());
        QCOMPARE(g->currentIndex().row(), 2);
        QTest::keyClick(g, Qt::Key_Down);  // nothing on an untouched appended entry
        QCOMPARE(f.table().state(), DataSetState::Insert);
        QTest::keyClick(g, Qt::Key_Up);
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(rows(f), 2);
        // An entry typed into is saved by the next move.
        QTest::keyClick(g, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(g, Qt::Key_Down);
        QTest::keyClick(g, Qt::Key_N);
        QVERIFY(cellEditor(f));
        QTest::keyClick(cellEditor(f), Qt::Key_Return);
        QTRY_VERIFY(!cellEditor(f));
        QVERIFY(f.table().modified());
        QTest::keyClick(g, Qt::Key_Up);
        QCOMPARE(rows(f), 3);
    }

    void downDiscardsAnUntouchedInsertedEntry() {
        WindowFixture f{{"A"}, {"B"}, {"C"}};
        DbGrid* g = f.window->DBGrid1;
        focusGrid(f);
        QTest::keyClick(g, Qt::Key_Down);
        QTest::keyClick(g, Qt::Key_Insert);
        QCOMPARE(g->currentIndex().row(), 1);
        QCOMPARE(g->model()->rowCount(), 4);
        QTest::keyClick(g, Qt::Key_Down);
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(g->model()->rowCount(), 3);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("B"));
        QCOMPARE(rows(f), 3);
    }

    void tabMovesBetweenColumnsAndAppendsAtTheEnd() {
        WindowFixture f{{"A"}};
        DbGrid* g = f.window->DBGrid1;
        focusGrid(f);
        g->setCurrentIndex(g->model()->index(0, 0));
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(g->currentIndex().column(), 1);
        QVERIFY(g->hasFocus());
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(g->currentIndex().column(), 2);
        QTest::keyClick(g, Qt::Key_Tab);
        QCOMPARE(f.table().state(), DataSetState::Insert);
        QCOMPARE(g->currentIndex(), g->model()->index(1, 0));
        QTest::keyClick(g, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(g->hasFocus());
    }

    void ctrlDeleteAsks() {
        WindowFixture f{{"A"}, {"B"}};
        focusGrid(f);
        f.boxes.answerNext(BoxButton::Cancel);
        QTest::keyClick(f.window->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(f.boxes.shown.size(), 1);
        const BoxRequest& box = f.boxes.shown[0];
        QCOMPARE(box.title, QStringLiteral("Bestätigung"));
        QCOMPARE(box.type, BoxType::Confirmation);
        QCOMPARE(box.text, QStringLiteral("Datensatz löschen?"));
        QCOMPARE(box.buttons, (QList<BoxButton>{BoxButton::Ok, BoxButton::Cancel}));
        QCOMPARE(rows(f), 2);
        f.boxes.answerNext(BoxButton::Ok);
        QTest::keyClick(f.window->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(rows(f), 1);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("B"));
    }

    void ctrlDeleteOnAnEmptyTableDoesNothing() {
        WindowFixture f;
        focusGrid(f);
        QTest::keyClick(f.window->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void columnsCanBeMoved() {
        WindowFixture f{{"A"}};
        QVERIFY(f.window->DBGrid1->horizontalHeader()->sectionsMovable());
        f.window->DBGrid1->horizontalHeader()->moveSection(0, 2);
        QCOMPARE(f.window->DBGrid1->horizontalHeader()->logicalIndex(2), 0);
    }
};

LIEFERANTEN_GUI_TEST_MAIN(TestGrid)
#include "tst_grid.moc"
