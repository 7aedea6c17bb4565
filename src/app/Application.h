#pragma once

#include <QApplication>

// The application object: every exception that leaves an event handler or a
// control ends here and is shown in the error box; the program goes on.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
