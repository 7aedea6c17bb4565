#pragma once

#include <QList>
#include <QString>
#include <functional>

namespace controls {

enum class BoxType { Warning, Error, Information, Confirmation, Plain };
enum class BoxButton { None, Yes, No, Ok, Cancel };

// One modal box as the user sees it.
struct BoxRequest {
    QString title;
    BoxType type = BoxType::Plain;
    QString text;
    QList<BoxButton> buttons;      // left to right
    BoxButton defaultButton = BoxButton::None;  // Enter
    BoxButton escapeButton = BoxButton::None;   // Escape and the close button
};

// The one road every modal box of the program takes. Tests install an
// answerer to read each box and answer it without a screen.
class MessageBoxes {
public:
    using Answerer = std::function<BoxButton(const BoxRequest&)>;
    static BoxButton show(const BoxRequest& request);
    static void setAnswerer(Answerer answerer);
};

QString buttonCaption(BoxButton button);

// The application's title: the executable's file name up to its first ".",
// every character after the first in lower case.
QString applicationTitle();
QString applicationTitleFor(const QString& executablePath);

// A box built from a type and buttons; the title follows the type.
BoxButton messageDlg(const QString& text, BoxType type, const QList<BoxButton>& buttons);
// A plain box: the application's title, no icon, one "OK".
void showMessage(const QString& text);

} // namespace controls
