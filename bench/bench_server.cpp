// The same measurements on a PostgreSQL server, when $LIEFERANTEN_BENCH_PG names one.
#include <benchmark/benchmark.h>

#include <QProcess>

#include "DbEngine.h"
#include "SupplierSchema.h"
#include "TData.h"

namespace {

// A schema "bench100000" on the server, filled once.
QString serverAddress(int entries) {
    const QString base = qEnvironmentVariable("LIEFERANTEN_BENCH_PG");
    if (base.isEmpty())
        return {};
    const QString schema = QStringLiteral("bench%1").arg(entries);
    engine::DbEngine e;
    auto db = e.createWorkspace("w", "Admin", "", 2)->openDatabase(base, false, false, {});
    db->execute(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(schema));
    const QString uri = base + (base.contains(u'?') ? u'&' : u'?') + QStringLiteral("options=-csearch_path%3D") + schema;
    auto inSchema = e.createWorkspace("w", "Admin", "", 2)->openDatabase(uri, false, false, {});
    if (!inSchema->connection().hasTable(QStringLiteral("Lieferanten"))) {
        std::fprintf(stderr, "Erzeuge %d Einträge auf dem Server ...\n", entries);
        QProcess::execute(QStringLiteral(ADMIN_TOOL), {QStringLiteral("generate"), uri, QString::number(entries)});
        inSchema->execute(QStringLiteral("ANALYZE \"Lieferanten\""));
    }
    return uri;
}

std::unique_ptr<engine::Recordset> sorted(engine::Database& db) {
    auto first = db.openRecordset("Lieferanten");
    first->setSort("[Firma] ASC ");
    return first->openRecordset();
}

void BM_ServerOpenSortedAndFirstRow(benchmark::State& state) {
    const QString uri = serverAddress(int(state.range(0)));
    if (uri.isEmpty())
        return state.SkipWithError("LIEFERANTEN_BENCH_PG is not set");
    for (auto _ : state) {
        engine::DbEngine e;
        auto db = e.createWorkspace("w", "Admin", "", 2)->openDatabase(uri, false, false, {});
        auto rs = sorted(*db);
        benchmark::DoNotOptimize(rs->value(2));
    }
}

void BM_ServerMoveOneRow(benchmark::State& state) {
    const int n = int(state.range(0));
    const QString uri = serverAddress(n);
    if (uri.isEmpty())
        return state.SkipWithError("LIEFERANTEN_BENCH_PG is not set");
    engine::DbEngine e;
    auto db = e.createWorkspace("w", "Admin", "", 2)->openDatabase(uri, false, false, {});
    auto rs = sorted(*db);
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 997) % n;
        rs->setAbsolutePosition(pos);
        benchmark::DoNotOptimize(rs->value(2));
    }
}

void BM_ServerSearch(benchmark::State& state, const char* text) {
    const QString uri = serverAddress(int(state.range(0)));
    if (uri.isEmpty())
        return state.SkipWithError("LIEFERANTEN_BENCH_PG is not set");
    engine::DbEngine e;
    auto db = e.createWorkspace("w", "Admin", "", 2)->openDatabase(uri, false, false, {});
    auto rs = sorted(*db);
    const int firma = rs->columnIndex("Firma");
    const QString prefix = QString::fromUtf8(text);
    for (auto _ : state)
        benchmark::DoNotOptimize(rs->findFirstPrefix(firma, prefix));
}

} // namespace

BENCHMARK(BM_ServerOpenSortedAndFirstRow)->Arg(100000)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(BM_ServerMoveOneRow)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ServerSearch, one_letter, "k")->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ServerSearch, five_letters, "kabel")->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ServerSearch, no_match, "xyz")->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_ServerSearch, umlaut, "üb")->Arg(100000)->Unit(benchmark::kMicrosecond);
