#include "ErrorBoxes.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <dlfcn.h>

#include "DatabaseError.h"
#include "EngineError.h"
#include "MessageBox.h"

using namespace controls;

QString errorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back().unicode() > u'.')
        return message + u'.';
    return message;
}

void showErrorBox(const QString& message) {
    BoxRequest r;
    r.title = applicationTitle();
    r.type = BoxType::Error;
    r.text = errorBoxText(message);
    r.buttons = {BoxButton::Ok};
    r.defaultButton = r.escapeButton = BoxButton::Ok;
    MessageBoxes::show(r);
}

void showException(const std::exception& error) { showErrorBox(QString::fromUtf8(error.what())); }

QString lastChanceText(const QString& className, const QString& module, quintptr address, const QString& message) {
    const QString dot = message.endsWith(u'.') ? QString() : QStringLiteral(".");
    return QStringLiteral("Exception %1 in Modul %2 bei %3.\r\n%4%5\r\n")
        .arg(className, module, QStringLiteral("%1").arg(address, 8, 16, QLatin1Char('0')).toUpper(), message, dot);
}

namespace {

// Where in the executable the failure arose, counted from the module's start.
quintptr moduleOffset() {
    Dl_info info{};
    const void* here = reinterpret_cast<const void*>(&showLastChanceBox);
    if (dladdr(here, &info) && info.dli_fbase)
        return quintptr(here) - quintptr(info.dli_fbase);
    return 0;
}

QString classNameOf(const std::exception& error) {
    if (dynamic_cast<const dataset::DatabaseError*>(&error))
        return QString::fromLatin1(dataset::DatabaseError::className);
    if (dynamic_cast<const engine::EngineError*>(&error))
        return QStringLiteral("EDAOError");
    return QStringLiteral("Exception");
}

} // namespace

void showLastChanceBox(const std::exception& error) {
    BoxRequest r;
    r.title = QStringLiteral("Anwendungsfehler");
    r.type = BoxType::Error;
    r.text = lastChanceText(classNameOf(error), QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                            moduleOffset(), QString::fromUtf8(error.what()));
    r.buttons = {BoxButton::Ok};
    r.defaultButton = r.escapeButton = BoxButton::Ok;
    MessageBoxes::show(r);
}
