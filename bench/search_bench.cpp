// The search window over 100 years of month files (with their marks, the user holidays and
// the anniversaries), 5,000 memos in 200 categories and 10,000 to-dos, in turns with
// `LC_ALL=C grep -rc -F` over the same files run as a process. Prints the medians of the
// whole search (click to the last line on screen), of its first screenful on screen, of grep,
// and their ratios.
// Usage: search_bench [RUNS [CATEGORIES [TODOS]]]   (on $DISPLAY when there is one, else
// offscreen; 11 runs, 200 categories of 25 memos and 10,000 to-dos unless given)
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWindow>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cp932.h"
#include "fonts.h"
#include "globals.h"
#include "message_box.h"
#include "paths.h"
#include "scoped_port.h"
#include "search_window.h"

using namespace foundation;
using namespace schedule;

extern char** environ;

namespace {

constexpr int kFirstYear = 1927, kLastYear = 2026;
constexpr int kMemosPerCategory = 25;
int kCategories = 200, kToDos = 10000;  // the user's sizes unless given

class SilentMessages : public platform::MessagePort {
  public:
    int Show(const platform::MessageRequest& r) override {
        ++shown;
        return r.buttons.empty() ? 0 : r.buttons.front();
    }
    int shown = 0;
};

// Plain writes: thousands of synced files would take minutes.
void Write(const std::string& path, const std::string& bytes) {
    QFile file(platform::DiskPath(path));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        std::fprintf(stderr, "cannot write %s\n", path.c_str());
        std::exit(2);
    }
}

struct Corpus {
    QTemporaryDir home;
    std::string root, dat, memo;

    Corpus() {
        root = platform::FromDiskPath(home.path());
        dat = root + "/dat";
        memo = root + "/memo";
        QDir().mkpath(home.path() + "/dat");
        QDir().mkpath(home.path() + "/memo");
        for (int y = kFirstYear; y <= kLastYear; ++y)
            for (int m = 1; m <= 12; ++m) Month(y, m);
        for (int c = 0; c < kCategories; ++c) Category(c);
        std::string anniversaries;
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= 28; d += 7)
                anniversaries += std::to_string(m) + "," + std::to_string(d) + "," + Sj("記念日 ") +
                                 std::to_string(m * 100 + d) + "\r\n";
        Write(memo + "/ukinen.txt", anniversaries);
        for (int y = kFirstYear; y <= kLastYear; ++y)
            Write(memo + "/" + std::to_string(y) + ".hol",
                  "5,1,2\r\n8,13,14,15\r\n12,29,30,31\r\n");
        std::string todo;
        for (int k = 0; k < kToDos; ++k)
            todo += "#S#!\r\n \r\n2026/" + std::to_string(k % 12 + 1) + "/" +
                    std::to_string(k % 28 + 1) + "\r\n" +
                    (k % 20 == 0 ? Sj("会議の準備 ") : Sj("資料作成 ")) + std::to_string(k) +
                    "\r\n0\r\n" + Sj("社内") + "\r\n2\r\n\r\n#E#!\r\n";
        Write(root + "/todo.dat", todo);
    }

    // A third of the days hold a meeting: about 12,000 hit lines in all.
    void Month(int y, int m) {
        std::string text, marks;
        for (int d = 1; d <= 31; ++d) {
            text += "#S#!\r\n";
            text += Sj("@9:30 朝礼 表示確認\r\n");
            if ((d + m) % 3 == 0) text += Sj("10:00-11:00 会議 場所:本社\r\n");
            text += Sj("ソフト開発 第") + std::to_string(d) + Sj("回 ｱｲｳｴｵ\r\n");
            text += "#E#!\r\n";
            marks += d % 10 == 0 ? "1\r\n" : "0\r\n";
        }
        char name[32];
        std::snprintf(name, sizeof name, "/%04d%02d", y, m);
        Write(dat + name + ".yo2", text);
        Write(dat + name + ".mkf", marks);
    }

    void Category(int c) {
        const std::string folder = memo + "/" + Sj("分類") + std::to_string(c);
        QDir().mkpath(platform::DiskPath(folder));
        for (int k = 0; k < kMemosPerCategory; ++k) {
            std::string text;
            for (int line = 0; line < 40; ++line)
                text += Sj("メモの本文です。買物リスト、牛乳、パン、表計算の資料 ") +
                        std::to_string(line) + "\r\n";
            if (k % 10 == 0) text += Sj("来週の会議の議題\r\n");
            Write(folder + "/memo" + std::to_string(k) + ".txt", text);
        }
    }
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The first paint of the result pane that shows a screenful of lines, or all there are.
class FirstScreenful : public QObject {
  public:
    FirstScreenful(TfrKensaku& window, const QElapsedTimer& clock) : w_(window), clock_(clock) {
        w_.tx->viewport()->installEventFilter(this);
    }
    void Arm(int lines) {
        lines_ = lines;
        at_ = -1;
        paints_ = 0;
    }
    double At() const { return at_; }
    int Paints() const { return paints_; }

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints_;
        if (e->type() == QEvent::Paint && at_ < 0 &&
            (w_.tx->blockCount() > lines_ || w_.bt_go->isEnabled()))
            at_ = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
        return false;
    }

  private:
    TfrKensaku& w_;
    const QElapsedTimer& clock_;
    int lines_ = 0;
    double at_ = -1;
    int paints_ = 0;
};

void Settle() {
    for (int k = 0; k < 5; ++k) QCoreApplication::processEvents();
}

double Grep(const Corpus& c, const std::string& word) {
    std::vector<std::string> args = {"grep", "-rc", "-F",   "-e",
                                     word,   c.dat, c.memo, c.root + "/todo.dat"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer clock;
    clock.start();
    pid_t pid;
    if (posix_spawnp(&pid, "grep", &actions, nullptr, argv.data(), environ) != 0) {
        std::fprintf(stderr, "cannot start grep\n");
        std::exit(2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    posix_spawn_file_actions_destroy(&actions);
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY")) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("LC_ALL", "C", 1);  // for grep
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    if (argc > 2) kCategories = std::max(0, std::atoi(argv[2]));
    if (argc > 3) kToDos = std::max(0, std::atoi(argv[3]));
    platform::InstallFontSubstitutes();
    SilentMessages messages;
    const platform::ScopedPort<platform::MessagePort> silent(platform::SetMessagePort, &messages);
    ResetGlobals();
    Corpus corpus;
    Settings.dat_Path = corpus.dat;
    Settings.memo_path = corpus.memo;
    BaseDir = corpus.root;
    const std::string word = Sj("会議");

    TfrKensaku window;
    window.show();
    for (int k = 0; k < 200 && !(window.windowHandle() && window.windowHandle()->isExposed()); ++k)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    Settle();
    window.chFusenMemo->setChecked(true);
    window.cbToDo->setChecked(true);
    window.tx_yy->setEditText(QString::number(kFirstYear));
    window.tx_mm->setEditText(QStringLiteral("1"));
    window.tx_yy2->setEditText(QString::number(kLastYear));
    window.tx_mm2->setEditText(QStringLiteral("12"));
    window.tx_ken->setText(platform::FromCp932(word));
    const int screenful = window.tx->viewport()->height() / window.tx->fontMetrics().lineSpacing();

    QElapsedTimer clock;
    FirstScreenful first(window, clock);
    if (const char* slice = std::getenv("SEARCH_SLICE_MS")) window.SliceMs = std::atoi(slice);
    std::vector<double> whole, firstShown, grep, paints;
    size_t hits = 0;
    for (int run = -1; run < runs; ++run) {  // run -1 warms the caches
        // The pane of the last search goes first, outside the measurement.
        window.tx->clear();
        Settle();
        first.Arm(screenful);
        clock.start();
        window.bt_goClick();
        Settle();
        const double all = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const double g = Grep(corpus, word);
        if (run < 0) continue;
        whole.push_back(all);
        firstShown.push_back(first.At());
        grep.push_back(g);
        paints.push_back(first.Paints());
        hits = window.Hits().size();
    }

    const double w = Median(whole), f = Median(firstShown), g = Median(grep);
    std::printf(
        "search of one word over %d years of months, %d memos in %d categories and %d "
        "to-dos: %zu hits, %d lines a screenful, %d messages, %.0f paints of the results, %s, %d "
        "runs in turns\n",
        kLastYear - kFirstYear + 1, kCategories * kMemosPerCategory, kCategories, kToDos, hits,
        screenful, messages.shown / (runs + 1), Median(paints),
        qPrintable(QGuiApplication::platformName()), runs);
    std::printf("%-32s %9s\n", "", "median ms");
    std::printf("%-32s %9.1f\n", "program: whole search", w);
    std::printf("%-32s %9.1f\n", "program: first screenful shown", f);
    std::printf("%-32s %9.1f\n", "floor: LC_ALL=C grep -rc -F", g);
    std::printf("%-32s %9.2f  (goal <= 2)\n", "ratio whole / grep", w / g);
    std::printf("%-32s %9.2f  (goal: first screenful <= 100 ms)\n", "ratio first screenful / grep",
                f / g);
    return 0;
}
