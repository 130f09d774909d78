// The to-do list with 10,000 items: opening it, setting a status and sorting a column, each to
// the list painted again, in turns with the floor: a plain QTreeWidget of 7 columns and the
// same 10,000 rows built and shown the straightforward way. Prints the medians, the floor and
// the ratios.
// Usage: todo_bench [RUNS]   (offscreen unless QT_QPA_PLATFORM says otherwise)
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
#include "todo_store.h"
#include "todo_window.h"

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

// Runs the events until the widget was painted (and a little after); milliseconds since the
// clock's start.
double UntilPainted(QWidget* w, const QElapsedTimer& clock) {
    PaintCounter counter;
    w->installEventFilter(&counter);
    for (int k = 0; k < 1000 && counter.paints == 0; ++k)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    w->removeEventFilter(&counter);
    return ms;
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
double Floor(const std::vector<QStringList>& texts) {
    QElapsedTimer clock;
    clock.start();
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
    const double ms = UntilPainted(tree->viewport(), clock);
    delete tree;
    Settle();
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    platform::InstallFontSubstitutes();
    SilentMessages messages;
    platform::SetMessagePort(&messages);
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
    std::vector<double> open, status, sortText, sortDays, floor;
    for (int run = -1; run < runs; ++run) {  // run -1 warms the caches
        platform::WriteFileAtomic(store, bytes);
        QElapsedTimer clock;
        clock.start();
        OpenToDoWindow();
        TfrToDo* w = frToDo;
        const double o = UntilPainted(w->sg1->viewport(), clock);
        Settle();

        w->Select(kItems / 2 + run % 7);
        Settle();
        clock.start();
        w->mnuZyoSetSClick(statuses[(run + 1) % 2]);
        const double s = UntilPainted(w->sg1->viewport(), clock);
        Settle();

        clock.start();
        w->sg1ColumnClick(1);
        const double t = UntilPainted(w->sg1->viewport(), clock);
        Settle();

        clock.start();
        w->sg1ColumnClick(4);
        const double d = UntilPainted(w->sg1->viewport(), clock);
        Settle();
        w->close();
        Settle();

        const double f = Floor(texts);
        if (run < 0) continue;
        open.push_back(o);
        status.push_back(s);
        sortText.push_back(t);
        sortDays.push_back(d);
        floor.push_back(f);
    }
    platform::SetMessagePort(nullptr);

    const double o = Median(open), s = Median(status), t = Median(sortText), d = Median(sortDays),
                 f = Median(floor);
    std::printf("to-do list of %d items, %s, %d runs in turns, %d messages\n", kItems,
                qPrintable(QGuiApplication::platformName()), runs, messages.shown);
    std::printf("%-36s %9s %9s\n", "", "median ms", "/ floor");
    std::printf("%-36s %9.1f %9.2f  (goal <= 2)\n", "program: open", o, o / f);
    std::printf("%-36s %9.1f %9.2f  (goal <= 30 ms)\n", "program: set a status", s, s / f);
    std::printf("%-36s %9.1f %9.2f  (goal <= 30 ms)\n", "program: sort by content", t, t / f);
    std::printf("%-36s %9.1f %9.2f  (goal <= 30 ms)\n", "program: sort by remaining days", d,
                d / f);
    std::printf("%-36s %9.1f\n", "floor: QTreeWidget, 7 x 10,000", f);
    return 0;
}
