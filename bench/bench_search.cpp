// The search box's locate, run on every keystroke.
#include <benchmark/benchmark.h>

#include "BenchFiles.h"
#include "TData.h"

namespace {

TData& module(int entries) {
    static std::map<int, std::unique_ptr<TData>> modules;
    auto& m = modules[entries];
    if (!m)
        m = std::make_unique<TData>([](const std::exception& e) { std::fprintf(stderr, "%s\n", e.what()); },
                                    dataset::defaultEngineFactory(), benchProgramFolder(entries) + "/Lieferanten");
    return *m;
}

void search(benchmark::State& state, const char* text, bool expectMatch) {
    const int n = int(state.range(0));
    dataset::DaoTable& t = *module(n).Lieferanten;
    const QString prefix = QString::fromUtf8(text);
    for (auto _ : state) {
        t.first();
        const bool found = t.locate(QStringLiteral("Firma"), prefix, true, true);
        if (found != expectMatch)
            state.SkipWithError("unexpected search result");
    }
}

void BM_SearchOneLetter(benchmark::State& s) { search(s, "k", true); }
void BM_SearchTwoLetters(benchmark::State& s) { search(s, "ka", true); }
void BM_SearchFiveLetters(benchmark::State& s) { search(s, "kabel", true); }
void BM_SearchNoMatch(benchmark::State& s) { search(s, "xyz", false); }
void BM_SearchLateMatch(benchmark::State& s) { search(s, "zeze", true); }
void BM_SearchUmlaut(benchmark::State& s) { search(s, "üb", true); }

} // namespace

#define SEARCH_BENCH(name) BENCHMARK(name)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond)->Repetitions(3)->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
SEARCH_BENCH(BM_SearchOneLetter);
SEARCH_BENCH(BM_SearchTwoLetters);
SEARCH_BENCH(BM_SearchFiveLetters);
SEARCH_BENCH(BM_SearchNoMatch);
SEARCH_BENCH(BM_SearchLateMatch);
SEARCH_BENCH(BM_SearchUmlaut);
