#include "Startup.h"

#include <QApplication>
#include <memory>

#include "ErrorBoxes.h"
#include "TData.h"
#include "Tfmain.h"

int runLieferanten(dataset::EngineFactory engineFactory, QString executablePath) {
    auto window = std::make_unique<Tfmain>();
    std::unique_ptr<TData> data;
    try {
        data = std::make_unique<TData>([](const std::exception& e) { showException(e); }, std::move(engineFactory),
                                       std::move(executablePath));
    } catch (const std::exception& e) {
        showLastChanceBox(e);
        return 1;
    }
    window->bindData(data.get());
    window->show();
    window->activateWindow();
    QApplication::exec();
    // Reverse order of creation: the data module first (a pending entry is dropped), then the window.
    data.reset();
    window.reset();
    return 0;
}
