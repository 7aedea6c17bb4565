#include "WindowFixture.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QMimeData>

using namespace controls;
using dataset::DataSetState;

// Receives what the window hands to the desktop to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    UrlCatcher() {
        QDesktopServices::setUrlHandler("http", this, "open");
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("file", this, "open");
    }
    ~UrlCatcher() override {
        QDesktopServices::unsetUrlHandler("http");
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("file");
    }
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << (url.isLocalFile() ? url.toLocalFile() : url.toString()); }
};

// The window's commands: search, Neu, Löschen, Speichern, copy, browser, password, Info.
class TestCommands : public QObject {
    Q_OBJECT

    static int rows(const WindowFixture& f) { return f.module.db.scalar("SELECT count(*) FROM Lieferanten").toInt(); }

    static void search(const WindowFixture& f, const QString& text) {
        f.window->suche->setFocus();
        f.type(f.window->suche, text);
    }

private slots:
    void searchAsYouType() {
        WindowFixture f{{"Beta"}, {"alpine"}, {"Alpha"}};
        SearchBox* s = f.window->suche;
        const QList<QPair<QString, QString>> steps = {{"a", "Alpha"},  {"l", "Alpha"},  {"p", "Alpha"},
                                                      {"i", "alpine"}, {"x", "alpine"}};
        f.window->DBGrid1->setFocus();
        f.window->suche->setFocus(Qt::MouseFocusReason);
        for (const auto& [key, current] : steps) {
            f.type(s, key);
            QCOMPARE(f.window->edfirma->text(), current);
        }
        QTest::keyClick(s, Qt::Key_Backspace);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("alpine"));
        QTest::keyClick(s, Qt::Key_Backspace);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Alpha"));
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void searchMatchesPrefixesOnlyAndAnyCase_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("current");
        QTest::newRow("lp is no prefix") << "lp" << "Beta";
        QTest::newRow("upper case") << "AL" << "Alpha";
        QTest::newRow("asterisk") << "*" << "*Stern";
        QTest::newRow("O and apostrophe") << "o'" << "O'Hara";
        QTest::newRow("question mark") << "?" << "Beta";
        QTest::newRow("umlaut any case") << "ÜB" << "übersee";
        QTest::newRow("double quote") << "\"" << "Beta";
    }

    void searchMatchesPrefixesOnlyAndAnyCase() {
        QFETCH(QString, text);
        QFETCH(QString, current);
        WindowFixture f{{"Alpha"}, {"Beta"}, {"*Stern"}, {"O'Hara"}, {"übersee"}};
        f.window->DBGrid1->setFocus();
        f.window->suche->setFocus(Qt::MouseFocusReason);
        f.window->DBGrid1->setCurrentIndex(f.window->DBGrid1->model()->index(2, 0));  // Beta
        f.window->suche->setFocus(Qt::MouseFocusReason);
        f.type(f.window->suche, text);
        QCOMPARE(f.window->edfirma->text(), current);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void enteringTheSearchBoxEmptiesItWithoutMoving() {
        WindowFixture f{{"Alpha"}, {"Beta"}};
        search(f, "b");
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Beta"));
        QTest::mouseClick(f.window->edkdnr, Qt::LeftButton);
        QTest::mouseClick(f.window->suche, Qt::LeftButton);
        QCOMPARE(f.window->suche->text(), QString());
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Beta"));
        // Coming back from a box does not count as entering.
        f.type(f.window->suche, "b");
        f.boxes.answerNext(BoxButton::No);
        f.window->ToolButton3->click();
        QCOMPARE(f.window->suche->text(), QStringLiteral("b"));
        QCOMPARE(rows(f), 2);
    }

    void searchWithAPendingEdit() {
        WindowFixture f{{"Alpha", "K1"}, {"Beta"}};
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "2");
        search(f, "zz");
        QCOMPARE(f.table().state(), DataSetState::Edit);
        QCOMPARE(f.window->edkdnr->text(), QStringLiteral("K12"));
        QTest::keyClick(f.window->suche, Qt::Key_A, Qt::ControlModifier);
        f.type(f.window->suche, "b");
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Beta"));
        QCOMPARE(f.module.db.scalar("SELECT KDNR FROM Lieferanten WHERE Firma = 'Alpha'").toString(), QStringLiteral("K12"));
    }

    void searchAfterAnUntouchedNewEntryDropsIt() {
        WindowFixture f{{"Alpha"}, {"Beta"}};
        f.window->ToolButton2->click();
        QCOMPARE(f.table().state(), DataSetState::Insert);
        search(f, "b");
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(rows(f), 2);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Beta"));
    }

    void neu() {
        WindowFixture f{{"Alpha"}};
        f.window->ToolButton2->click();
        QCOMPARE(QApplication::focusWidget(), f.window->edfirma);
        QCOMPARE(f.table().state(), DataSetState::Insert);
        f.window->ToolButton2->click();  // twice: still one new entry
        QCOMPARE(f.window->DBGrid1->model()->rowCount(), 2);
        f.type(f.window->edfirma, "Neu");
        f.window->ToolButton2->click();  // the typed one is saved first
        QCOMPARE(rows(f), 2);
        QCOMPARE(f.table().state(), DataSetState::Insert);
    }

    void neuOnAClosedTable() {
        WindowFixture f{{"Alpha"}};
        f.module.data->Database->setConnected(false);
        QTest::mouseClick(f.window->ToolButton2, Qt::LeftButton);
        QCOMPARE(f.boxes.texts(), QStringList{"Lieferanten: Operation bei geschlossener Datenmenge nicht ausführbar."});
        QCOMPARE(f.boxes.shown[0].title, applicationTitle());
        QCOMPARE(QApplication::focusWidget(), f.window->edfirma);
        search(f, "a");  // nothing, no box
        f.window->ToolButton5->click();
        QCOMPARE(f.boxes.shown.size(), 1);
    }

    void loeschenAsksFirst() {
        WindowFixture f{{"Alpha"}, {"Beta"}};
        f.boxes.answerNext(BoxButton::No);
        f.window->ToolButton3->click();
        QCOMPARE(f.boxes.shown.size(), 1);
        const BoxRequest& box = f.boxes.shown[0];
        QCOMPARE(box.title, QStringLiteral("Warnung"));
        QCOMPARE(box.type, BoxType::Warning);
        QCOMPARE(box.text, QStringLiteral("Wollen sie den Eintrag wirklich löschen?"));
        QCOMPARE(box.buttons, (QList<BoxButton>{BoxButton::Yes, BoxButton::No}));
        QCOMPARE(box.defaultButton, BoxButton::Yes);
        QCOMPARE(box.escapeButton, BoxButton::No);
        QCOMPARE(rows(f), 2);
        f.window->ToolButton3->click();  // Enter: "Ja"
        QCOMPARE(rows(f), 1);
        QCOMPARE(f.window->edfirma->text(), QStringLiteral("Beta"));
    }

    void loeschenInEachState() {
        WindowFixture f{{"Alpha"}, {"Beta"}};
        f.window->ToolButton2->click();
        f.type(f.window->edfirma, "Neu");
        f.window->ToolButton3->click();
        QCOMPARE(rows(f), 2);
        QCOMPARE(f.table().state(), DataSetState::Browse);
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "x");
        f.window->ToolButton3->click();
        QCOMPARE(rows(f), 1);
        QCOMPARE(f.module.db.scalar("SELECT count(*) FROM Lieferanten WHERE KDNR = 'x'").toInt(), 0);
    }

    void loeschenOnAnEmptyTable() {
        WindowFixture f;
        QTest::mouseClick(f.window->ToolButton3, Qt::LeftButton);
        QCOMPARE(f.boxes.texts(), (QStringList{"Wollen sie den Eintrag wirklich löschen?",
                                               "Lieferanten: Operation bei leerer Datenmenge nicht ausführbar."}));
        QCOMPARE(f.boxes.shown[1].type, BoxType::Error);
    }

    void speichern() {
        WindowFixture f{{"Alpha"}};
        f.window->ToolButton5->click();  // browse: nothing
        QVERIFY(f.boxes.shown.isEmpty());
        f.window->edkdnr->setFocus();
        f.type(f.window->edkdnr, "K7");
        f.window->ToolButton5->click();  // the text still in the focused field is saved
        QCOMPARE(f.table().state(), DataSetState::Browse);
        QCOMPARE(f.module.db.scalar("SELECT KDNR FROM Lieferanten").toString(), QStringLiteral("K7"));
        f.window->ToolButton2->click();
        f.type(f.window->edfirma, "Zulu");
        f.window->ToolButton5->click();
        QCOMPARE(rows(f), 2);
        QCOMPARE(f.table().recNo(), 2);
    }

    void copyButtons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("expected");
        QTest::newRow("customer number") << "SpeedButton4" << "edkdnr" << "K-4711";
        QTest::newRow("user name") << "SpeedButton2" << "edlogon" << "einkauf";
        QTest::newRow("e-mail") << "SpeedButton5" << "edemail" << "a@example.com";
    }

    void copyButtons() {
        QFETCH(QString, button);
        QFETCH(QString, edit);
        QFETCH(QString, expected);
        WindowFixture f{{"Alpha", "K-4711", "einkauf", "geheim", "a@example.com"}};
        auto* e = f.window->findChild<QLineEdit*>(edit);
        e->setCursorPosition(3);
        f.window->findChild<QToolButton*>(button)->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
        QVERIFY(!e->hasSelectedText());
        QCOMPARE(e->cursorPosition(), 0);
    }

    void copyPasswordGivesThePlainPasswordMarkedSecret() {
        WindowFixture f{{"Alpha", "", "", "Ge#heim*1"}};
        QCOMPARE(f.window->edkennwort->displayText(), QStringLiteral("*********"));
        f.window->SpeedButton3->click();
        const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(mime->text(), QStringLiteral("Ge#heim*1"));
        QCOMPARE(mime->data("x-kde-passwordManagerHint"), QByteArray("secret"));
        QCOMPARE(f.window->edkennwort2->text(), QStringLiteral("Ge#heim*1"));
    }

    void browser_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("opened");
        QTest::newRow("no scheme, mixed case") << "Www.Example.COM/Login" << "http://www.example.com/login";
        QTest::newRow("HTTPS in capitals") << "HTTPS://Portal.Example.NET" << "https://portal.example.net";
        QTest::newRow("http not at the start") << "Shop.Example.COM?back=http" << "http://shop.example.com?back=http";
        QTest::newRow("another scheme is never opened") << "File:///etc/passwd#http" << "http://file:///etc/passwd#http";
        QTest::newRow("empty") << "" << "http://";
        QTest::newRow("umlauts stay") << "Ärger.example.de" << "http://Ärger.example.de";
    }

    void browser() {
        QFETCH(QString, url);
        QFETCH(QString, opened);
        WindowFixture f{{"Alpha", "", "", "", "", url}};
        UrlCatcher catcher;
        f.window->SpeedButton1->click();
        QCOMPARE(catcher.opened.size(), 1);
        QCOMPARE(catcher.opened[0], opened.contains("://") ? QUrl(opened, QUrl::TolerantMode).toString() : opened);
        QVERIFY(f.boxes.shown.isEmpty());
    }

    void passwordBox() {
        WindowFixture f{{"Alpha", "", "", "Ge heim"}, {"Beta"}};
        QTest::mouseDClick(f.window->edkennwort, Qt::LeftButton);
        QCOMPARE(f.boxes.shown.size(), 1);
        QCOMPARE(f.boxes.shown[0].title, applicationTitle());
        QCOMPARE(f.boxes.shown[0].type, BoxType::Plain);
        QCOMPARE(f.boxes.shown[0].text, QStringLiteral("Ge heim"));
        QCOMPARE(f.boxes.shown[0].buttons, QList<BoxButton>{BoxButton::Ok});
        f.table().next();
        QTest::mouseDClick(f.window->edkennwort, Qt::LeftButton);
        QCOMPARE(f.boxes.shown[1].text, QString());
    }

    void beendenClosesTheWindow() {
        WindowFixture f{{"Alpha"}};
        f.window->Beenden1->trigger();
        QVERIFY(!f.window->isVisible());
    }
};

LIEFERANTEN_GUI_TEST_MAIN(TestCommands)
#include "tst_commands.moc"
