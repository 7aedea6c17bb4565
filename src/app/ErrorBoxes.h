#pragma once

#include <QString>
#include <exception>

// The error box of the application's default error handler: the application's
// title, the error icon, one "OK", the message with a "." where it ends in a
// character after ".".
QString errorBoxText(const QString& message);
void showErrorBox(const QString& message);
void showException(const std::exception& error);

// The last-chance box: "Anwendungsfehler", then the program ends with code 1.
QString lastChanceText(const QString& className, const QString& module, quintptr address, const QString& message);
void showLastChanceBox(const std::exception& error);
