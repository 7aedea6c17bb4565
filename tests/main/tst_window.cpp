#include "WindowFixture.h"

#include <QClipboard>
#include <QGroupBox>
#include <QHeaderView>
#include <QStatusBar>
#include <QToolBar>

using namespace controls;
using dataset::DataSetState;

// The window's controls, their bindings and the behaviour of the data-aware controls.
class TestWindow : public QObject {
    Q_OBJECT

    static QToolButton* nav(const WindowFixture& f, DbNavigator::Button b) { return f.window->DBNavigator1->button(b); }

private slots:
    void startsWithAnEmptyFocusedSearchBoxAndTheFirstEntry() {
        WindowFixture f{{"Beta"}, {"Alpha"}};
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Lieferanten Velmora"));
        QCOMPARE(QApplication::focusWidget(), f.window->suche);
        QCOMPARE(f.window->suche->text(), QString());
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Alpha"));
        QVERIFY(f.window->edfirma->isReadOnly());
        QVERIFY(!nav(f, DbNavigator::First)->isEnabled());
        QVERIFY(!nav(f, DbNavigator::Prior)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Next)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Last)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Insert)->isEnabled());
        QVERIFY(!nav(f, DbNavigator::Cancel)->isEnabled());
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void layoutFollowsTheDesign() {
        WindowFixture f{{"Alpha"}};
        Tfmain& w = *f.window;
        QCOMPARE(w.centralWidget()->size(), QSize(988, 525 - w.ToolBar1->height() - w.StatusBar1->height()));
        QCOMPARE(w.GroupBox1->width(), 426);
        QCOMPARE(w.edfirma->geometry(), QRect(80, 15, 250, 21));
        QCOMPARE(w.edkdnr->geometry(), QRect(80, 65, 250, 21));
        QCOMPARE(w.SpeedButton3->geometry(), QRect(335, 115, 70, 22));
        QCOMPARE(w.edbemerkung->geometry(), QRect(2, 180, 422, 298));
        QVERIFY(!w.edkennwort2->isVisible());
        QCOMPARE(w.DBNavigator1->size(), QSize(120, 22));
        QCOMPARE(w.suche->size(), QSize(121, 22));
        QCOMPARE(w.DBGrid1->model()->columnCount(), 3);
        const QStringList titles = {"Firma", "Benutzername", "URL"};
        const QList<int> widths = {194, 130, 203};
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(w.DBGrid1->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
            QCOMPARE(w.DBGrid1->columnWidth(c), widths[c]);
        }
        QCOMPARE(w.edkennwort->echoMode(), QLineEdit::Password);
        QCOMPARE(w.SpeedButton1->toolTip(), QStringLiteral("Startet den Standard-Browser mit der Adresse links"));
        QCOMPARE(w.edkennwort->toolTip(), QStringLiteral("Doppelklick zeigt das Kennwort an"));
        QCOMPARE(nav(f, DbNavigator::Next)->toolTip(), QStringLiteral("Nächster Datensatz"));
        for (QWidget* b : {static_cast<QWidget*>(w.ToolButton2), static_cast<QWidget*>(w.SpeedButton1),
                           static_cast<QWidget*>(nav(f, DbNavigator::First))})
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
    }

    void resizingGrowsTheGridOnly() {
        WindowFixture f{{"Alpha"}};
        const int gridHeight = f.window->DBGrid1->height();
        f.window->resize(f.window->width() + 200, f.window->height() + 150);
        QTRY_COMPARE(f.window->DBGrid1->height(), gridHeight + 150);
        QCOMPARE(f.window->GroupBox1->width(), 426);
        QCOMPARE(f.window->edbemerkung->height(), 298);
        QCOMPARE(f.window->DBGrid1->width(), f.window->centralWidget()->width() - 426);
        QCOMPARE(f.table().state(), DataSetState::Browse);
    }

    void resizingNeverSavesOrDropsAPendingEntry() {
        WindowFixture f{{"Alpha"}};
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "7");
        f.window->resize(f.window->width(), f.window->height() + 300);
        QApplication::processEvents();
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("7"));
    }

    void tabOrder() {
        WindowFixture f{{"Alpha"}};
        QList<QWidget*> expected = {f.window->edkdnr, f.window->edfirma, f.window->edurl, f.window->edlogon,
                                    f.window->edkennwort, f.window->edemail, f.window->edbemerkung, f.window->DBGrid1};
        for (QWidget* w : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), w);
        }
    }

    void typingStartsAnEditAndCancelRestores() {
        WindowFixture f{{"Alpha", "K1"}};
        f.window->edkdnr->setFocus();
        QTest::keyClick(f.window->edkdnr, Qt::Key_End);
        f.type(f.window->edkdnr, "x");
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("K1x"));
        QVERIFY(nav(f, DbNavigator::Cancel)->isEnabled());
        QCOMPARE(f.window->DBGrid1->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("I"));
        nav(f, DbNavigator::Cancel)->click();
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("K1"));
        QVERIFY(!nav(f, DbNavigator::Cancel)->isEnabled());
    }

    void textChangingKeysAskForEditFirst_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("backspace") << int(Qt::Key_Backspace) << int(Qt::NoModifier);
        QTest::newRow("delete") << int(Qt::Key_Delete) << int(Qt::NoModifier);
        QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier);
        QTest::newRow("cut") << int(Qt::Key_X) << int(Qt::ControlModifier);
        QTest::newRow("shift insert") << int(Qt::Key_Insert) << int(Qt::ShiftModifier);
    }

    void textChangingKeysAskForEditFirst() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        WindowFixture f{{"Alpha", "K1"}};
        QGuiApplication::clipboard()->setText("Z");
        f.window->edkdnr->setFocus();
        f.window->edkdnr->selectAll();
        QTest::keyClick(f.window->edkdnr, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QVERIFY(f.window->edkdnr->text() != QStringLiteral("K1"));
    }

    void movingKeysStartNoEdit() {
        WindowFixture f{{"Alpha", "K1"}};
        f.window->edkdnr->setFocus();
        for (Qt::Key k : {Qt::Key_Left, Qt::Key_End, Qt::Key_Home})
            QTest::keyClick(f.window->edkdnr, k);
        QTest::keyClick(f.window->edkdnr, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.table().state(), DataSetState::Browse);
    }

    void escapeRestoresThatFieldOnly() {
        WindowFixture f{{"Alpha", "K1"}};
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "2");
        f.window->edlogon->setFocus();
        f.type(f.window->edlogon, "neu");
        QTest::keyClick(f.window->edlogon, Qt::Key_Escape);
        QCOMPARE(f.window->edlogon->text(), QString());
        QCOMPARE(f.window->edlogon->selectedText(), f.window->edlogon->text());
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("K12"));
        QCOMPARE(f.table().state(), DataSetState::Edit);
    }

    void lengthLimits() {
        WindowFixture f{{"Alpha"}};
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, QString(51, u'1'));
        QCOMPARE(f.window->edkdnr->text().size(), 50);
        f.window->edurl->setFocus();
        f.type(f.window->edurl, QString(256, u'u'));
        QCOMPARE(f.window->edurl->text().size(), 255);
    }

    void focusLostHandsTheTextToTheFieldAndAMoveSavesIt() {
        WindowFixture f{{"Alpha", "K1"}, {"Beta"}};
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "9");
        f.window->edlogon->setFocus();
        QCOMPARE(f.module.field("KDNR").asString(), QStringLiteral("K19"));
        QCOMPARE(f.module.db.scalar("SELECT KDNR FROM Lieferanten WHERE Firma = 'Alpha'").toString(), QStringLiteral("K1"));
        nav(f, DbNavigator::Next)->click();
        QCOMPARE(f.module.db.scalar("SELECT KDNR FROM Lieferanten WHERE Firma = 'Alpha'").toString(), QStringLiteral("K19"));
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Beta"));
    }

    void memoEditsAndKeepsLineBreaks() {
        WindowFixture f{{"Alpha", "", "", "", "", "", "eins\r\nzwei"}};
        DbMemo* memo = f.window->edbemerkung;
        QCOMPARE(memo->toPlainText(), QStringLiteral("eins\nzwei"));
        memo->setFocus();
        memo->moveCursor(QTextCursor::End);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(f.table().state(), DataSetState::Edit);
        f.type(memo, "drei");
        QTest::keyClick(memo, Qt::Key_J, Qt::ControlModifier);
        f.window->ToolButton5->click();
        QCOMPARE(f.module.db.scalar("SELECT Bemerkung FROM Lieferanten").toString(), QStringLiteral("eins\r\nzwei\r\ndrei\r\n"));
        QTest::keyClick(memo, Qt::Key_Backspace);
        QTest::keyClick(memo, Qt::Key_Escape);
        QCOMPARE(memo->toPlainText(), QStringLiteral("eins\nzwei\ndrei\n"));
    }

    void navigatorEndsFollowTheMoves() {
        WindowFixture f{{"Einzig"}};
        // One entry: Next and Last are on until a move runs into the end.
        QVERIFY(!nav(f, DbNavigator::First)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Next)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Last)->isEnabled());
        nav(f, DbNavigator::Next)->click();
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Einzig"));
        QVERIFY(!nav(f, DbNavigator::Next)->isEnabled());
        QVERIFY(!nav(f, DbNavigator::Last)->isEnabled());
        QVERIFY(nav(f, DbNavigator::First)->isEnabled());
        nav(f, DbNavigator::First)->click();
        QVERIFY(!nav(f, DbNavigator::Prior)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Last)->isEnabled());
    }

    void emptyTable() {
        WindowFixture f;
        for (auto b : {DbNavigator::First, DbNavigator::Prior, DbNavigator::Next, DbNavigator::Last})
            QVERIFY(!nav(f, b)->isEnabled());
        QVERIFY(nav(f, DbNavigator::Insert)->isEnabled());
        QCOMPARE(f.window->edfirma->text(), QString());
        f.window->edfirma->setFocus();
        f.type(f.window->edfirma, "Neu");
        QCOMPARE(f.table().state(), DataSetState::Insert);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Neu"));
    }

    void closedTableLeavesTheControlsEmptyAndDisabled() {
        WindowFixture f{{"Alpha"}};
        f.module.data->Database->setConnected(false);
        for (int b = 0; b < DbNavigator::ButtonCount; ++b)
            QVERIFY(!nav(f, DbNavigator::Button(b))->isEnabled());
        QCOMPARE(f.window->edfirma->text(), QString());
        f.window->edfirma->setFocus();
        f.type(f.window->edfirma, "x");
        QCOMPARE(f.window->edfirma->text(), QString());
        QCOMPARE(f.window->DBGrid1->model()->rowCount(), 0);
    }

    void navigatorMoves() {
        WindowFixture f{{"A"}, {"B"}, {"C"}};
        nav(f, DbNavigator::Last)->click();
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("C"));
        QVERIFY(!nav(f, DbNavigator::Next)->isEnabled());
        nav(f, DbNavigator::Prior)->click();
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("B"));
        QCOMPARE(f.window->DBGrid1->currentIndex().row(), 1);
        nav(f, DbNavigator::First)->click();
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("A"));
        QVERIFY(nav(f, DbNavigator::Prior)->autoRepeat() && nav(f, DbNavigator::Next)->autoRepeat());
        nav(f, DbNavigator::Insert)->click();
        QCOMPARE(f.table().state(), DataSetState::Insert);
    }

    void aRefusedSaveOnAMoveKeepsTheEntryAndShowsTheMessage() {
        WindowFixture f{{"Alpha", "K1"}, {"Beta"}};
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "x");
        f.module.db.exec("UPDATE Lieferanten SET KDNR = 'anders' WHERE Firma = 'Alpha'");
        QTest::mouseClick(nav(f, DbNavigator::Next), Qt::LeftButton);
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown[0].type, BoxType::Error);
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Alpha"));
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("K1x"));
    }
};

LIEFERANTEN_GUI_TEST_MAIN(TestWindow)
#include "tst_window.moc"
