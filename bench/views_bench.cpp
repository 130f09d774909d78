// Opening the month view of a full month and the year view with its twelve calendars from the
// running main window, to the view's first paint on screen, in turns: the view as its opener
// builds it (a child of the main window, placed by the settings, run modally), and the whole
// click on the main window's button, which saves the month before. Prints the medians against
// the aims of the views.
// Usage: views_bench [RUNS]   (on $DISPLAY when there is one, else offscreen; 21 runs)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "calendar_rules.h"
#include "cp932.h"
#include "day_window.h"
#include "file_io.h"
#include "globals.h"
#include "main_window.h"
#include "message_box.h"
#include "month_view.h"
#include "schedule_store.h"
#include "scoped_port.h"
#include "start_notice.h"
#include "startup.h"
#include "year_view.h"

using namespace foundation;
using namespace schedule;

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

// Ends the view's modal run once its first paint is on screen (after the paint, when the event
// loop comes round), noting the time.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(const QElapsedTimer& clock) : clock_(clock) {
        qApp->installEventFilter(this);
    }
    void Arm(std::function<QWidget*()> view) {
        view_ = std::move(view);
        at_ = -1;
        seen_ = false;
    }
    double At() const { return at_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Paint || seen_ || !view_) return false;
        QWidget* view = view_();
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!view || !widget || widget->window() != view) return false;
        seen_ = true;
        QTimer::singleShot(0, view, [this, view] {
            at_ = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
            view->close();
        });
        return false;
    }

  private:
    const QElapsedTimer& clock_;
    std::function<QWidget*()> view_;
    bool seen_ = false;
    double at_ = -1;
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    // This year's months full, the settings the program starts with plus rokuyo and week
    // numbers, no sounds.
    QTemporaryDir home;
    const std::string dir = platform::ToCp932(home.path());
    const std::string dat = dir + "/dat";
    QDir().mkpath(home.path() + "/dat");
    uint16_t year, month, day;
    DecodeToday(year, month, day);
    for (int m = 1; m <= 12; ++m) {
        char name[32];
        std::snprintf(name, sizeof name, "/%04d%02d.yo2", year, m);
        platform::WriteFileAtomic(dat + name, FullMonth());
    }
    platform::WriteFileAtomic(dir + "/Kolvane32.ini",
                              "[path]\r\ndat_Path=" + dat + "\r\nmemo_path=" + dat +
                                  "\r\n[NIK]\r\nni_dir=" + dat +
                                  "\r\n[etc]\r\nkyou_flg=1\r\noto=1\r\nroku=1\r\nsyuuNoDsp=1\r\n");
    setenv("KOLVANE_HOME", home.path().toLocal8Bit().constData(), 1);
    SilentMessages messages;
    const platform::ScopedPort<platform::MessagePort> silent(platform::SetMessagePort, &messages);

    ResetGlobals();
    auto* main = new TfrTavik;
    auto* notice = new TfrYotei;
    auto* dayWindow = new TfrYo3;
    MainLifecycle life(*main, *notice, *dayWindow);
    if (!life.FormShow()) {
        std::fprintf(stderr, "the main window did not start\n");
        return 2;
    }
    for (int k = 0; k < 20; ++k) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    QElapsedTimer clock;
    FirstPaint first(clock);
    // The openers' steps after their save; the date comes back as they bring it back.
    auto monthView = [main] {
        const uint16_t y = CurYear, m = CurMonth, d = CurDay;
        {
            auto view = std::make_unique<TfrTuki>(main);
            frTuki = view.get();
            view->ShowMonth(CurYear, CurMonth);
            const TukiTLWH& b = Settings.tuki_tlwh;
            view->move(b.l, b.t);
            view->resize(b.w, b.h);
            view->exec();
        }
        CurYear = y, CurMonth = m, CurDay = d;
        LoadMonthSchedule();
    };
    auto yearView = [main] {
        const uint16_t y = CurYear, m = CurMonth, d = CurDay;
        {
            auto view = std::make_unique<TfrNen>(main);
            frNen = view.get();
            view->LoadYear(CurYear);
            view->SetYearCaption();
            const TLWH& b = Settings.nen_tlwh;
            view->move(b.l, b.t);
            view->resize(b.w, b.h);
            view->FormActivate();
            view->exec();
        }
        CurYear = y, CurMonth = m, CurDay = d;
        LoadMonthSchedule();
    };
    const std::function<QWidget*()> monthWindow = [] { return static_cast<QWidget*>(frTuki); };
    const std::function<QWidget*()> yearWindow = [] { return static_cast<QWidget*>(frNen); };
    auto monthClick = [main] { main->bt_tukiClick(); };
    auto yearClick = [main] { main->bt_nenClick(); };
    struct Row {
        const char* name;
        std::function<void()> open;
        const std::function<QWidget*()>& view;
        const char* aim;
        std::vector<double> ms;
    } rows[] = {
        {"month view, 31 days of 5 lines", monthView, monthWindow, "30", {}},
        {"year view, 12 calendars", yearView, yearWindow, "50", {}},
        {"click: saving, then the month view", monthClick, monthWindow, "", {}},
        {"click: saving, then the year view", yearClick, yearWindow, "", {}},
    };
    for (int run = -1; run < runs; ++run) {  // run -1 warms the caches
        for (Row& row : rows) {
            first.Arm(row.view);
            clock.start();
            row.open();
            if (run >= 0) row.ms.push_back(first.At());
            QCoreApplication::processEvents();
        }
    }
    first.Arm(nullptr);
    std::printf(
        "the views opened from the main window to their first paint, %s, %d runs in turns\n",
        qPrintable(QGuiApplication::platformName()), runs);
    std::printf("%-36s %9s %6s\n", "", "median ms", "aim");
    for (Row& row : rows) std::printf("%-36s %9.1f %6s\n", row.name, Median(row.ms), row.aim);
    std::fflush(stdout);

    life.end_prc();
    main->RemoveTrayIcon();
    delete dayWindow;
    delete notice;
    delete main;
    return 0;
}
