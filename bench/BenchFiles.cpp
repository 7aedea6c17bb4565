#include "BenchFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>

namespace {

QString benchDir() {
    const QString dir = qEnvironmentVariableIsSet("LIEFERANTEN_BENCH_DIR") ? qEnvironmentVariable("LIEFERANTEN_BENCH_DIR")
                                                                           : QStringLiteral(BENCH_DATA_DIR);
    QDir().mkpath(dir);
    return dir;
}

} // namespace

QString benchFile(int entries) {
    const QString path = benchDir() + QStringLiteral("/lieferanten-%1.db").arg(entries);
    if (!QFile::exists(path)) {
        std::fprintf(stderr, "Erzeuge %d Einträge in %s ...\n", entries, qPrintable(path));
        const int rc = QProcess::execute(QStringLiteral(ADMIN_TOOL), {QStringLiteral("generate"), path + ".tmp", QString::number(entries)});
        if (rc != 0 || !QFile::rename(path + ".tmp", path)) {
            std::fprintf(stderr, "Erzeugen fehlgeschlagen\n");
            std::abort();
        }
    }
    return path;
}

QString benchProgramFolder(int entries) {
    const QString folder = benchDir() + QStringLiteral("/program-%1").arg(entries);
    QDir().mkpath(folder);
    QFile ini(folder + QStringLiteral("/Lieferanten.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[DB]\nmain=%1\n").arg(benchFile(entries)).toUtf8());
    return folder;
}
