#pragma once

#include <exception>

class QObject;

namespace controls {

// Re-raises a failure from the event loop, so it reaches the application's
// error handler after the current Qt call (a focus change, a selection) has
// finished cleanly.
void reportLater(QObject* context, std::exception_ptr error);

} // namespace controls
