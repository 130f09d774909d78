// Opening the month view of a full month and the year view with its twelve calendars, each to
// its first paint, offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "cp932.h"
#include "file_io.h"
#include "fonts.h"
#include "globals.h"
#include "message_box.h"
#include "month_view.h"
#include "year_view.h"

namespace {

class SilentMessages : public platform::MessagePort {
  public:
    int Show(const platform::MessageRequest& r) override {
        return r.buttons.empty() ? 0 : r.buttons.front();
    }
};

// 31 days of five lines each.
std::string FullMonth() {
    std::string out;
    for (int d = 1; d <= 31; ++d) {
        out += "#S#!\r\n";
        for (int line = 1; line <= 5; ++line)
            out += Sj("@") + std::to_string(8 + line) + Sj(":00 打ち合わせと資料の確認 ") +
                   std::to_string(d) + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

struct Folder {
    QTemporaryDir dir;
    Folder() {
        const std::string dat = platform::ToCp932(dir.path());
        for (int m = 1; m <= 12; ++m) {
            char name[32];
            std::snprintf(name, sizeof name, "/2004%02d.yo2", m);
            platform::WriteFileAtomic(dat + name, FullMonth());
        }
        ResetGlobals();
        Settings.dat_Path = dat;
        Settings.memo_path = dat;
        Settings.roku = 1;
        Settings.syuuNoDsp = 1;
    }
};

void BM_MonthViewToFirstPaint(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        auto* view = new TfrTuki;
        frTuki = view;
        view->ShowMonth(2004, 5);
        view->PlaceAt(0, 0, 640, 480);
        view->show();
        const QPixmap painted = view->grab();
        benchmark::DoNotOptimize(painted);
        state.PauseTiming();
        view->hide();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MonthViewToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_YearViewToFirstPaint(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        auto* view = new TfrNen;
        frNen = view;
        view->LoadYear(2004);
        view->SetYearCaption();
        view->FormActivate();
        view->show();
        const QPixmap painted = view->grab();
        benchmark::DoNotOptimize(painted);
        state.PauseTiming();
        view->hide();
        delete view;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_YearViewToFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    platform::InstallFontSubstitutes();
    SilentMessages messages;
    platform::SetMessagePort(&messages);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    platform::SetMessagePort(nullptr);
    return 0;
}
