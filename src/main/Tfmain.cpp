#include "Tfmain.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "MainLayout.h"
#include "MessageBox.h"
#include "Pictures.h"
#include "ShellOpen.h"
#include "TData.h"
#include "VersionInfo.h"

using namespace controls;
using dataset::DataSetState;

Tfmain* fmain = nullptr;

namespace {

QToolButton* speedButton(QWidget* parent, const char* name, const QString& caption, const QIcon& icon,
                         const QString& hint, int top) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setText(caption);
    b->setIcon(icon);
    b->setToolTip(hint);
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(335, top, 70, 22);
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->adjustSize();
    l->move(left, top);
    return l;
}

DbEdit* boundEdit(QWidget* parent, const char* name, const QString& field, int top) {
    auto* e = new DbEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setDataField(field);
    e->setGeometry(80, top, 250, 21);
    return e;
}

} // namespace

Tfmain::Tfmain(QWidget* parent) : QMainWindow(parent) {
    fmain = this;
    setObjectName(QStringLiteral("fmain"));
    setWindowTitle(QStringLiteral("Lieferanten Velmora"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setAttribute(Qt::WA_AlwaysShowToolTips);

    buildMenu();
    buildToolBar();
    buildDetailFrame();

    DBGrid1 = new DbGrid;
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setColumns({{QStringLiteral("Firma"), QStringLiteral("Firma"), 194},
                         {QStringLiteral("Benutzername"), QStringLiteral("Benutzername"), 130},
                         {QStringLiteral("URL"), QStringLiteral("URL"), 203}});
    setCentralWidget(new MainLayout(GroupBox1, 426, DBGrid1));

    buildStatusBar();

    setTabOrder(suche, edkdnr);
    setTabOrder(edkdnr, edfirma);
    setTabOrder(edfirma, edurl);
    setTabOrder(edurl, edlogon);
    setTabOrder(edlogon, edkennwort);
    setTabOrder(edkennwort, edemail);
    setTabOrder(edemail, edbemerkung);
    setTabOrder(edbemerkung, DBGrid1);

    // Outer size 996 x 571 at the design's frame: a client area of 988 x 525 below the menu.
    resize(988, 525 + menuBar()->sizeHint().height());
}

Tfmain::~Tfmain() {
    if (fmain == this)
        fmain = nullptr;
}

void Tfmain::buildMenu() {
    QMenu* datei = menuBar()->addMenu(QStringLiteral("&Datei"));
    Datei1 = datei->menuAction();
    Datei1->setObjectName(QStringLiteral("Datei1"));
    Beenden1 = datei->addAction(QStringLiteral("&Beenden"));
    Beenden1->setObjectName(QStringLiteral("Beenden1"));
    connect(Beenden1, &QAction::triggered, this, &QWidget::close);
    QMenu* hilfe = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    Hilfe1 = hilfe->menuAction();
    Hilfe1->setObjectName(QStringLiteral("Hilfe1"));
    Update1 = hilfe->addAction(QStringLiteral("&Info"));
    Update1->setObjectName(QStringLiteral("Update1"));
    connect(Update1, &QAction::triggered, this, [this] { Update1Click(Update1); });
}

void Tfmain::buildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar { border: none; border-bottom: 1px solid palette(mid); spacing: 0px; padding: 0px; }"));

    DBNavigator1 = new DbNavigator;
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    ToolBar1->addWidget(DBNavigator1);
    ToolBar1->addSeparator()->setObjectName(QStringLiteral("ToolButton1"));

    const auto command = [this](const char* name, const QString& caption, pictures::Shape shape) {
        auto* b = new QToolButton;
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setIcon(pictures::commandIcon(shape));
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedHeight(22);
        ToolBar1->addWidget(b);
        return b;
    };
    ToolButton2 = command("ToolButton2", QStringLiteral("Neu"), pictures::Shape::Plus);
    ToolButton3 = command("ToolButton3", QStringLiteral("Löschen"), pictures::Shape::Minus);
    ToolButton5 = command("ToolButton5", QStringLiteral("Speichern"), pictures::Shape::Floppy);
    ToolButton5->setMinimumWidth(75);
    connect(ToolButton2, &QToolButton::clicked, this, [this] { ToolButton2Click(ToolButton2); });
    connect(ToolButton3, &QToolButton::clicked, this, [this] { ToolButton3Click(ToolButton3); });
    connect(ToolButton5, &QToolButton::clicked, this, [this] { ToolButton5Click(ToolButton5); });
    ToolBar1->addSeparator()->setObjectName(QStringLiteral("ToolButton4"));

    Panel1 = new QLabel(QStringLiteral("Suche:"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Panel1->setContentsMargins(0, 0, 10, 0);
    Panel1->setFixedSize(92, 22);
    ToolBar1->addWidget(Panel1);

    suche = new SearchBox(QStringLiteral("suche"));
    suche->setObjectName(QStringLiteral("suche"));
    suche->setFixedSize(121, 22);
    ToolBar1->addWidget(suche);
    connect(suche, &QLineEdit::textChanged, this, [this] { sucheChange(suche); });
    connect(suche, &SearchBox::entered, this, [this] { sucheEnter(suche); });
}

void Tfmain::buildDetailFrame() {
    GroupBox1 = new QGroupBox(QStringLiteral("Zugangsdaten"));
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    QWidget* g = GroupBox1;

    Label1 = label(g, "Label1", QStringLiteral("Firma"), 5, 18);
    Label2 = label(g, "Label2", QStringLiteral("URL"), 5, 43);
    Label3 = label(g, "Label3", QStringLiteral("KDNR"), 5, 68);
    Label4 = label(g, "Label4", QStringLiteral("Benutzername"), 5, 93);
    Label5 = label(g, "Label5", QStringLiteral("Kennwort"), 5, 118);
    Label6 = label(g, "Label6", QStringLiteral("E-Mailadresse"), 5, 143);

    edfirma = boundEdit(g, "edfirma", QStringLiteral("Firma"), 15);
    edurl = boundEdit(g, "edurl", QStringLiteral("URL"), 40);
    edkdnr = boundEdit(g, "edkdnr", QStringLiteral("KDNR"), 65);
    edlogon = boundEdit(g, "edlogon", QStringLiteral("Benutzername"), 90);
    edkennwort = boundEdit(g, "edkennwort", QStringLiteral("Kennwort"), 115);
    edemail = boundEdit(g, "edemail", QStringLiteral("E-Mailadresse"), 140);
    edkennwort->setEchoMode(QLineEdit::Password);
    edkennwort->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));  // "*"
    edkennwort->setToolTip(QStringLiteral("Doppelklick zeigt das Kennwort an"));
    connect(edkennwort, &DbEdit::doubleClicked, this, [this] { edkennwortDblClick(edkennwort); });

    SpeedButton1 = speedButton(g, "SpeedButton1", QStringLiteral("Browser"), pictures::browserIcon(),
                               QStringLiteral("Startet den Standard-Browser mit der Adresse links"), 40);
    SpeedButton4 = speedButton(g, "SpeedButton4", QStringLiteral("Kopieren"), pictures::copyIcon(),
                               QStringLiteral("Kopiert die Kundennummer in die Zwischenablage"), 65);
    SpeedButton2 = speedButton(g, "SpeedButton2", QStringLiteral("Kopieren"), pictures::copyIcon(),
                               QStringLiteral("kopiert den Benutzernamen in die Zwischenablage"), 90);
    SpeedButton3 = speedButton(g, "SpeedButton3", QStringLiteral("Kopieren"), pictures::copyIcon(),
                               QStringLiteral("Kopiert das Kennwort in die Zwischenablage"), 115);
    SpeedButton5 = speedButton(g, "SpeedButton5", QStringLiteral("Kopieren"), pictures::copyIcon(),
                               QStringLiteral("kopiert die Emailadresse in die Zwischenablage"), 140);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(SpeedButton1); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(SpeedButton2); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(SpeedButton3); });
    connect(SpeedButton4, &QToolButton::clicked, this, [this] { SpeedButton4Click(SpeedButton4); });
    connect(SpeedButton5, &QToolButton::clicked, this, [this] { SpeedButton5Click(SpeedButton5); });

    Label7 = label(g, "Label7", QStringLiteral("Bemerkung"), 2, 165);
    edbemerkung = new DbMemo(g);
    edbemerkung->setObjectName(QStringLiteral("edbemerkung"));
    edbemerkung->setDataField(QStringLiteral("Bemerkung"));
    edbemerkung->setGeometry(2, 180, 422, 298);

    edkennwort2 = new QLineEdit(g);
    edkennwort2->setObjectName(QStringLiteral("edkennwort2"));
    edkennwort2->setGeometry(15, 405, 121, 21);
    edkennwort2->setVisible(false);
}

void Tfmain::buildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFont(QApplication::font("QStatusBar"));
    StatusBar1->setSizeGripEnabled(true);
    StatusBar1->setFixedHeight(19);
    const auto panel = [this](const QString& text, int width) {
        auto* l = new QLabel(text);
        l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        l->setFixedWidth(width);
        StatusBar1->addWidget(l);
        return l;
    };
    panel(QStringLiteral("Velmora Lieferanten"), 115)->setObjectName(QStringLiteral("StatusPanel1"));
    panel(QString(), 50)->setObjectName(QStringLiteral("StatusPanel2"));
}

void Tfmain::bindData(TData* data) {
    dataset::DataSource* source = data ? data->Lieferanten1 : nullptr;
    DBNavigator1->setDataSource(source);
    for (DbEdit* e : {edfirma, edurl, edkdnr, edlogon, edkennwort, edemail})
        e->setDataSource(source);
    edbemerkung->setDataSource(source);
    DBGrid1->setDataSource(source);
}

bool Tfmain::event(QEvent* event) {
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::Show && !m_activatedOnce) {
        // Centred on the screen when first shown.
        if (QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - frameGeometry().center() + pos());
    }
    if (event->type() == QEvent::WindowActivate && !m_activatedOnce) {
        m_activatedOnce = true;
        // The first control that takes the Tab key gets the focus: the search box.
        QWidget* focused = focusWidget();
        if (!focused || focused == suche) {
            bool entered = false;
            auto once = connect(suche, &SearchBox::entered, this, [&entered] { entered = true; });
            suche->setFocus(Qt::OtherFocusReason);
            disconnect(once);
            if (!entered)
                sucheEnter(suche);
        }
    }
    return result;
}

// --- commands

void Tfmain::sucheEnter(QObject*) { suche->setText(QString()); }

void Tfmain::sucheChange(QObject*) {
    const QString text = suche->text();
    if (text.isEmpty() || !Data)
        return;
    Data->Lieferanten->locate(QStringLiteral("Firma"), text, true, true);
}

void Tfmain::ToolButton2Click(QObject*) {
    edfirma->setFocus(Qt::OtherFocusReason);
    if (Data)
        Data->Lieferanten->insert();
}

void Tfmain::ToolButton3Click(QObject*) {
    if (messageDlg(QStringLiteral("Wollen sie den Eintrag wirklich löschen?"), BoxType::Warning,
                   {BoxButton::Yes, BoxButton::No}) == BoxButton::Yes &&
        Data)
        Data->Lieferanten->remove();
}

void Tfmain::ToolButton5Click(QObject*) {
    if (!Data)
        return;
    const DataSetState state = Data->Lieferanten->state();
    if (state == DataSetState::Edit || state == DataSetState::Insert)
        Data->Lieferanten->post();
}

void Tfmain::SpeedButton1Click(QObject*) {
    QString url = edurl->text();
    for (QChar& c : url)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    if (!url.contains(QLatin1String("http")))
        url.prepend(QLatin1String("http://"));
    // The URL field only ever opens web pages: a text with "http" somewhere but
    // another scheme (file:, javascript:, a bare path) would open something else.
    if (!url.startsWith(QLatin1String("http://")) && !url.startsWith(QLatin1String("https://")))
        url.prepend(QLatin1String("http://"));
    ShellOpen(url);
}

void Tfmain::copyField(QLineEdit* edit) {
    edit->selectAll();
    edit->copy();
    edit->deselect();
    edit->setCursorPosition(0);
}

void Tfmain::SpeedButton2Click(QObject*) { copyField(edlogon); }

void Tfmain::SpeedButton3Click(QObject*) {
    edkennwort2->setText(edkennwort->text());
    edkennwort2->selectAll();
    const QString password = edkennwort2->selectedText();
    if (password.isEmpty())
        return;
    // Plain text for every program, marked as secret for clipboard managers.
    auto* mime = new QMimeData;
    mime->setText(password);
    mime->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    QGuiApplication::clipboard()->setMimeData(mime);
}

void Tfmain::SpeedButton4Click(QObject*) { copyField(edkdnr); }

void Tfmain::SpeedButton5Click(QObject*) { copyField(edemail); }

void Tfmain::edkennwortDblClick(QObject*) { showMessage(edkennwort->text()); }

void Tfmain::Update1Click(QObject*) { ShowVersionInfo(); }
