// The engine: opening a sorted dynaset, moving, reading a memo, counting.
#include <benchmark/benchmark.h>

#include "BenchFiles.h"
#include "DbEngine.h"
#include "Sqlite.h"
#include "SortFold.h"
#include "SupplierSchema.h"

namespace {

std::unique_ptr<engine::Database> openFile(int entries) {
    engine::DbEngine e;
    return e.createWorkspace("w", "Admin", "", 2)->openDatabase(benchFile(entries), false, false, daten::supplierConnectString());
}

std::unique_ptr<engine::Recordset> sorted(engine::Database& db) {
    auto first = db.openRecordset("Lieferanten");
    first->setSort("[Firma] ASC ");
    return first->openRecordset();
}

void BM_OpenSortedAndFirstRow(benchmark::State& state) {
    const int n = int(state.range(0));
    benchFile(n);
    for (auto _ : state) {
        auto db = openFile(n);
        auto rs = sorted(*db);
        benchmark::DoNotOptimize(rs->value(2));
    }
}

// The bare query that lists the sorted keys of the same file, on a keyed connection.
void BM_BaselineSortedIds(benchmark::State& state) {
    const int n = int(state.range(0));
    benchFile(n);
    const QByteArray sql = QStringLiteral("SELECT ID FROM Lieferanten ORDER BY %1, ID").arg(engine::sortFoldSql("Firma")).toUtf8();
    for (auto _ : state) {
        auto db = openFile(n);
        engine::Statement st(db->handle(), sql.constData());
        std::vector<qint32> ids;
        while (st.step())
            ids.push_back(qint32(st.columnInt(0)));
        benchmark::DoNotOptimize(ids.data());
    }
}

void BM_MoveOneRow(benchmark::State& state) {
    const int n = int(state.range(0));
    auto db = openFile(n);
    auto rs = sorted(*db);
    const int firma = rs->columnIndex("Firma");
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 997) % n;  // spread over the file
        rs->setAbsolutePosition(pos);
        benchmark::DoNotOptimize(rs->value(firma));
    }
    state.counters["keyset_bytes_per_entry"] = double(rs->keysetBytes()) / n;
}

void BM_Move1000Rows(benchmark::State& state) {
    const int n = int(state.range(0));
    auto db = openFile(n);
    auto rs = sorted(*db);
    const int firma = rs->columnIndex("Firma");
    for (auto _ : state) {
        rs->moveFirst();
        for (int i = 0; i < 1000; ++i) {
            rs->moveNext();
            benchmark::DoNotOptimize(rs->value(firma));
        }
    }
}

void BM_ReadMemo(benchmark::State& state) {
    const int n = int(state.range(0));
    auto db = openFile(n);
    auto rs = sorted(*db);
    const int memo = rs->columnIndex("Bemerkung");
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 7919) % n;
        benchmark::DoNotOptimize(rs->readLongData(rs->bookmarkAt(pos), memo));
    }
}

void BM_Count(benchmark::State& state) {
    const int n = int(state.range(0));
    auto db = openFile(n);
    auto rs = sorted(*db);
    for (auto _ : state)
        benchmark::DoNotOptimize(rs->recordCount());
}

} // namespace

BENCHMARK(BM_OpenSortedAndFirstRow)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_BaselineSortedIds)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_MoveOneRow)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Move1000Rows)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadMemo)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Count)->Arg(100000)->Arg(1000000);
