#include "ShellOpen.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void ShellOpen(const QString& text) {
    if (text.isEmpty())
        return;
    // The whole text goes over, unchanged; a plain path opens as a local file.
    QUrl url(text, QUrl::TolerantMode);
    if (url.scheme().isEmpty() || (url.scheme().size() == 1 && QDir::isAbsolutePath(text)))
        url = QUrl::fromLocalFile(text);
    QDesktopServices::openUrl(url);
}
