// Time from creating the windows to the calendar shown, offscreen, with a schedule folder
// holding ten years of month files.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "cp932.h"
#include "day_window.h"
#include "file_io.h"
#include "globals.h"
#include "main_window.h"
#include "message_box.h"
#include "scoped_port.h"
#include "start_notice.h"
#include "startup.h"

using namespace foundation;
using namespace schedule;

namespace {

class SilentMessages : public platform::MessagePort {
  public:
    int Show(const platform::MessageRequest& r) override {
        return r.buttons.empty() ? 0 : r.buttons.front();
    }
};

std::string MonthFile(int seed) {
    std::string out;
    for (int d = 1; d <= 31; ++d) {
        out += "#S#!\r\n";
        if ((d + seed) % 3 == 0)
            out += Sj("@9:30 会議\r\n打ち合わせ 第") + std::to_string(d) + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

void BM_StartUpToCalendar(benchmark::State& state) {
    QTemporaryDir home;
    const std::string dir = platform::ToCp932(home.path());
    const std::string dat = dir + "/dat";
    QDir().mkpath(home.path() + "/dat");
    for (int y = 2017; y <= 2026; ++y)
        for (int m = 1; m <= 12; ++m) {
            char name[32];
            std::snprintf(name, sizeof name, "/%04d%02d.yo2", y, m);
            platform::WriteFileAtomic(dat + name, MonthFile(y + m));
        }
    platform::WriteFileAtomic(dir + "/Kolvane32.ini",
                              "[path]\r\ndat_Path=" + dat + "\r\nmemo_path=" + dat +
                                  "\r\n[NIK]\r\nni_dir=" + dat + "\r\n[etc]\r\nkyou_flg=1\r\n");
    setenv("KOLVANE_HOME", home.path().toLocal8Bit().constData(), 1);
    SilentMessages messages;
    const platform::ScopedPort<platform::MessagePort> silent(platform::SetMessagePort, &messages);
    for (auto _ : state) {
        ResetGlobals();
        auto* main = new TfrTavik;
        auto* notice = new TfrYotei;
        auto* day = new TfrYo3;
        MainLifecycle life(*main, *notice, *day);
        bool ok = life.FormShow();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(ok);
        state.PauseTiming();
        delete day;
        delete notice;
        delete main;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToCalendar)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
