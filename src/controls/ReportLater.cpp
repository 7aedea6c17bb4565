#include "ReportLater.h"

#include <QTimer>

namespace controls {

void reportLater(QObject* context, std::exception_ptr error) {
    QTimer::singleShot(0, context, [error] { std::rethrow_exception(error); });
}

} // namespace controls
