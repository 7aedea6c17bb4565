#include "MessageBox.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace controls {

namespace {

MessageBoxes::Answerer& answerer() {
    static MessageBoxes::Answerer a;
    return a;
}

QMessageBox::Icon iconOf(BoxType type) {
    switch (type) {
    case BoxType::Warning: return QMessageBox::Warning;
    case BoxType::Error: return QMessageBox::Critical;
    case BoxType::Information: return QMessageBox::Information;
    case BoxType::Confirmation: return QMessageBox::Question;
    case BoxType::Plain: return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole roleOf(BoxButton b) {
    switch (b) {
    case BoxButton::Yes: return QMessageBox::YesRole;
    case BoxButton::No: return QMessageBox::NoRole;
    case BoxButton::Ok: return QMessageBox::AcceptRole;
    case BoxButton::Cancel: return QMessageBox::RejectRole;
    case BoxButton::None: break;
    }
    return QMessageBox::InvalidRole;
}

} // namespace

QString buttonCaption(BoxButton button) {
    switch (button) {
    case BoxButton::Yes: return QStringLiteral("&Ja");
    case BoxButton::No: return QStringLiteral("&Nein");
    case BoxButton::Ok: return QStringLiteral("OK");
    case BoxButton::Cancel: return QStringLiteral("Abbrechen");
    case BoxButton::None: break;
    }
    return {};
}

void MessageBoxes::setAnswerer(Answerer a) { answerer() = std::move(a); }

BoxButton MessageBoxes::show(const BoxRequest& request) {
    if (answerer())
        return answerer()(request);
    QMessageBox box(iconOf(request.type), request.title, request.text);
    box.setTextFormat(Qt::PlainText);
    QList<QPair<QPushButton*, BoxButton>> made;
    for (BoxButton b : request.buttons) {
        QPushButton* button = box.addButton(buttonCaption(b), roleOf(b));
        made.append({button, b});
        if (b == request.defaultButton)
            box.setDefaultButton(button);
        if (b == request.escapeButton)
            box.setEscapeButton(button);
    }
    // Centred on the screen, not on a window.
    box.adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        box.move(screen->availableGeometry().center() - box.rect().center());
    box.exec();
    for (const auto& [button, b] : made)
        if (box.clickedButton() == button)
            return b;
    return request.escapeButton;
}

QString applicationTitleFor(const QString& executablePath) {
    QString name = QFileInfo(executablePath).fileName();
    name = name.left(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}

QString applicationTitle() { return applicationTitleFor(QCoreApplication::applicationFilePath()); }

BoxButton messageDlg(const QString& text, BoxType type, const QList<BoxButton>& buttons) {
    BoxRequest r;
    r.type = type;
    r.text = text;
    r.buttons = buttons;
    switch (type) {
    case BoxType::Warning: r.title = QStringLiteral("Warnung"); break;
    case BoxType::Error: r.title = QStringLiteral("Fehler"); break;
    case BoxType::Information: r.title = QStringLiteral("Information"); break;
    case BoxType::Confirmation: r.title = QStringLiteral("Bestätigung"); break;
    case BoxType::Plain: r.title = applicationTitle(); break;
    }
    r.defaultButton = buttons.isEmpty() ? BoxButton::None : buttons.front();
    // Escape answers with the button that says no, or with the only one.
    for (BoxButton b : {BoxButton::Cancel, BoxButton::No})
        if (buttons.contains(b) && r.escapeButton == BoxButton::None)
            r.escapeButton = b;
    if (r.escapeButton == BoxButton::None && buttons.size() == 1)
        r.escapeButton = buttons.front();
    return MessageBoxes::show(r);
}

void showMessage(const QString& text) {
    BoxRequest r;
    r.title = applicationTitle();
    r.type = BoxType::Plain;
    r.text = text;
    r.buttons = {BoxButton::Ok};
    r.defaultButton = r.escapeButton = BoxButton::Ok;
    MessageBoxes::show(r);
}

} // namespace controls
