#pragma once

#include <QString>

// Hands a text, a URL or a path, to the desktop to open with the program
// registered for it. Empty text does nothing; failures are not reported.
void ShellOpen(const QString& text);
