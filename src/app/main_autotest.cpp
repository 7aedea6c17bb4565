// The program as tests start it: the real start-up, with every box answered
// by its default button and written to standard output, the window closed as
// soon as it is shown, and an engine that fails on request. Not shipped.
#include <QTextStream>
#include <QTimer>
#include <QWidget>

#include "Application.h"
#include "MessageBox.h"
#include "Startup.h"

int main(int argc, char** argv) {
    Application app(argc, argv);
    controls::MessageBoxes::setAnswerer([](const controls::BoxRequest& r) {
        QTextStream(stdout) << "BOX " << r.title << ": " << r.text << "\n";
        return r.defaultButton;
    });
    const QString failure = qEnvironmentVariable("LIEFERANTEN_AUTOTEST_ENGINE");
    dataset::EngineFactory factory = dataset::defaultEngineFactory();
    if (!failure.isEmpty())
        factory = [failure]() -> std::unique_ptr<engine::DbEngine> {
            const auto kind = failure == "missing"  ? engine::EngineUnavailable::LibraryMissing
                              : failure == "unusable" ? engine::EngineUnavailable::Unusable
                                                      : engine::EngineUnavailable::PlatformInit;
            throw engine::EngineUnavailable(kind, failure);
        };
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
                QTextStream(stdout) << "SHOWN " << w->windowTitle() << "\n";
                w->close();
            }
    });
    return runLieferanten(factory);
}
