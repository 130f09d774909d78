// A day text of one line of 1, 4 and 16 MB: each step from the month file to the day window
// and back grows with the text, not faster.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "cp932.h"
#include "day_window.h"
#include "globals.h"
#include "paths.h"
#include "records.h"
#include "schedule_store.h"

using namespace foundation;
using namespace schedule;

namespace {

std::string OneLine(int64_t megabytes) {
    const std::string unit = Sj("あいう予定ｱｲｳ abc");
    std::string out;
    out.reserve(static_cast<size_t>(megabytes << 20) + unit.size());
    while (out.size() < static_cast<size_t>(megabytes << 20)) out += unit;
    return out;
}

void BM_MonthFileSaveAndLoad(benchmark::State& state) {
    QTemporaryDir dir;
    const std::string folder = platform::FromDiskPath(dir.path());
    YOTEI days[32];
    days[9].Text = OneLine(state.range(0));
    days[9].HasText = 1;
    for (auto _ : state) {
        store::SaveMonth(folder, 2026, 12, days);
        YOTEI loaded[32];
        store::LoadMonth(folder, "", 2026, 12, loaded);
        benchmark::DoNotOptimize(loaded[9].Text.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) << 20);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_MonthFileSaveAndLoad)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

void BM_Cp932BothWays(benchmark::State& state) {
    const std::string text = OneLine(state.range(0));
    for (auto _ : state) {
        const QString wide = platform::FromCp932(platform::CrLfToLf(text));
        benchmark::DoNotOptimize(platform::LfToCrLf(platform::ToCp932(wide)));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_Cp932BothWays)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The shown day window takes the text, lays it out and hands it back; showing the same
// text again costs only the comparison.
void BM_DayWindowText(benchmark::State& state) {
    const std::string text = OneLine(state.range(0));
    TfrYo3 day;
    day.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        day.SetMemoText("");
        day.SetMemoText(text);
        QCoreApplication::processEvents();
        day.SetMemoText(text);
        benchmark::DoNotOptimize(day.MemoText());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_DayWindowText)
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ResetGlobals();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
