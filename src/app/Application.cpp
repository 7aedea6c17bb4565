#include "Application.h"

#include <QFont>

#include "ErrorBoxes.h"
#include "Pictures.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    setWindowIcon(pictures::applicationIcon());
    // The window's font, "MS Sans Serif", stands in as a like sans-serif font of the platform.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showException(e);
    } catch (...) {
        showErrorBox(QStringLiteral("Unbekannter Fehler"));
    }
    return true;
}
