// The to-do list with 10,000 items: opening it, setting a status and sorting a column, each to
// the list painted again, in turns with the floor: a plain QTreeWidget of 7 columns and the
// same 10,000 rows built and shown the straightforward way. Prints the medians of the
// wall-clock and of the processor time, the floor's and the ratios.
// Usage: todo_bench [RUNS]   (offscreen unless QT_QPA_PLATFORM says otherwise)
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock.h"
#include "cp932.h"
#include "file_io.h"
#include "fonts.h"
#include "globals.h"
#include "message_box.h"
#include "scoped_port.h"
#include "todo_store.h"
#include "todo_window.h"

using namespace foundation;
using namespace accessories;

namespace {

constexpr int kItems = 10000;

class SilentMessages : public platform::MessagePort {
  public:
    int Show(const platform::MessageRequest& r) override {
        ++shown;
        return r.buttons.empty() ? 0 : r.buttons.front();
    }
    int shown = 0;
};

// Items as a user keeps them: due dates around today, every status and importance, a few
// projects, some links.
std::vector<TTODO> Items() {
    const char* const contents[] = {"見積書を送る",        "会議の資料を作る", "請求書の確認",
                                    "ソフト開発 第二段階", "表計算の集計",     "ｱﾝｹｰﾄの回収"};
    const char* const projects[] = {"", "営業", "開発", "総務"};
    std::vector<TTODO> items;
    const TDateTime today = Date();
    for (int i = 0; i < kItems; ++i) {
        TTODO t;
        t.Due = today - 60 + (i * 7919) % 240;
        t.Content = Sj(contents[i % 6]) + " " + std::to_string((i * 104729) % 100000);
        t.Status = static_cast<uint8_t>((i / 3) % 4);
        t.Project = Sj(projects[i % 4]);
        t.Importance = static_cast<uint8_t>((i / 7) % 5);
        if (i % 5 == 0) t.Link = "/home/user/doc/" + std::to_string(i) + ".txt";
        items.push_back(std::move(t));
    }
    return items;
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Wall-clock and this thread's processor time: on a machine busy with other work the second
// leaves out the time the program waited for a processor.
class Stopwatch {
  public:
    void Start() {
        wall_.start();
        cpu_ = CpuMs();
    }
    double Wall() const { return static_cast<double>(wall_.nsecsElapsed()) / 1e6; }
    double Cpu() const { return CpuMs() - cpu_; }

  private:
    static double CpuMs() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
    QElapsedTimer wall_;
    double cpu_ = 0;
};

struct Lap {
    double wall, cpu;
};

// Runs the events until the widget was painted; the time since the watch started.
Lap UntilPainted(QWidget* w, const Stopwatch& watch) {
    PaintCounter counter;
    w->installEventFilter(&counter);
    for (int k = 0; k < 1000 && counter.paints == 0; ++k)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const Lap lap{watch.Wall(), watch.Cpu()};
    w->removeEventFilter(&counter);
    return lap;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Settle() {
    for (int k = 0; k < 5; ++k) QCoreApplication::processEvents();
}

const char* const kCaptions[] = {"重要度", "内容",     "状態",    "目標完了日",
                                 "残日数", "ﾌﾟﾛｼﾞｪｸﾄ", "関連情報"};

// The floor: the same texts in a plain tree, to its first paint.
Lap Floor(const std::vector<QStringList>& texts) {
    Stopwatch watch;
    watch.Start();
    auto* tree = new QTreeWidget;
    tree->setColumnCount(7);
    QStringList captions;
    for (const char* c : kCaptions) captions << QString::fromUtf8(c);
    tree->setHeaderLabels(captions);
    QList<QTreeWidgetItem*> items;
    for (const QStringList& row : texts) items.append(new QTreeWidgetItem(row));
    tree->addTopLevelItems(items);
    tree->resize(509, 109);
    tree->show();
    const Lap lap = UntilPainted(tree->viewport(), watch);
    delete tree;
    Settle();
    return lap;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    platform::InstallFontSubstitutes();
    SilentMessages messages;
    const platform::ScopedPort<platform::MessagePort> silent(platform::SetMessagePort, &messages);
    ResetGlobals();
    QTemporaryDir home;
    BaseDir = platform::ToCp932(home.path());
    AppDir = BaseDir;
    const std::string store = BaseDir + "/todo.dat";
    const std::vector<TTODO> items = Items();
    const std::string bytes = FormatToDo(items);

    std::vector<QStringList> texts;
    for (const TTODO& t : items) {
        const ToDoRow row = RowFromItem(t, Date());
        QStringList cells;
        for (int c = 0; c < kToDoColumns; ++c) cells << platform::FromCp932(row.Cell(c));
        texts.push_back(cells);
    }

    const std::string statuses[] = {Sj("完了"), Sj("進行中")};
    // open, set a status, sort by content, sort by remaining days, floor
    constexpr int kMeasures = 5;
    std::vector<double> wall[kMeasures], cpu[kMeasures];
    for (int run = -1; run < runs; ++run) {  // run -1 warms the caches
        platform::WriteFileAtomic(store, bytes);
        Lap laps[kMeasures];
        Stopwatch watch;
        watch.Start();
        OpenToDoWindow();
        TfrToDo* w = frToDo;
        laps[0] = UntilPainted(w->sg1->viewport(), watch);
        Settle();

        w->Select(kItems / 2 + run % 7);
        Settle();
        watch.Start();
        w->mnuZyoSetSClick(statuses[(run + 1) % 2]);
        laps[1] = UntilPainted(w->sg1->viewport(), watch);
        Settle();

        watch.Start();
        w->sg1ColumnClick(1);
        laps[2] = UntilPainted(w->sg1->viewport(), watch);
        Settle();

        watch.Start();
        w->sg1ColumnClick(4);
        laps[3] = UntilPainted(w->sg1->viewport(), watch);
        Settle();
        w->close();
        Settle();

        laps[4] = Floor(texts);
        if (run < 0) continue;
        for (int m = 0; m < kMeasures; ++m) {
            wall[m].push_back(laps[m].wall);
            cpu[m].push_back(laps[m].cpu);
        }
    }

    std::printf("to-do list of %d items, %s, %d runs in turns, %d messages\n", kItems,
                qPrintable(QGuiApplication::platformName()), runs, messages.shown);
    std::printf("%-36s %9s %7s %9s %7s\n", "", "wall ms", "/ floor", "cpu ms", "/ floor");
    const char* const names[kMeasures] = {
        "program: open (goal <= 2x)", "program: set a status (<= 30 ms)",
        "program: sort by content (<= 30 ms)", "program: sort by days (<= 30 ms)",
        "floor: QTreeWidget, 7 x 10,000"};
    const double floorWall = Median(wall[4]), floorCpu = Median(cpu[4]);
    for (int m = 0; m < kMeasures; ++m) {
        const double w = Median(wall[m]), c = Median(cpu[m]);
        std::printf("%-36s %9.1f %7.2f %9.1f %7.2f\n", names[m], w, w / floorWall, c, c / floorCpu);
    }
    return 0;
}
