#include "TestModule.h"

#include <QFile>

QString TestModule::executableIn(const QString& folder) { return folder + QStringLiteral("/Lieferanten"); }

TestModule::TestModule(const QList<QStringList>& rows) : db(rows) {
    QFile ini(db.folder() + QStringLiteral("/Lieferanten.ini"));
    if (ini.open(QIODevice::WriteOnly))
        ini.write(QStringLiteral("[DB]\r\nmain=%1\r\n").arg(db.path()).toUtf8());
    ini.close();
    data = std::make_unique<TData>([this](const std::exception& e) { errors << QString::fromUtf8(e.what()); },
                                   dataset::defaultEngineFactory(), executableIn(db.folder()));
}

std::unique_ptr<TData> TestModule::secondUser() const {
    TData* first = Data;
    auto second = std::make_unique<TData>([](const std::exception&) {}, dataset::defaultEngineFactory(),
                                          executableIn(db.folder()));
    Data = first;  // the global stays the first program's
    return second;
}

QString messageOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    return {};
}
