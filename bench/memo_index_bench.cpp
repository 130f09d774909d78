// The memo index at the sizes users keep: 200 categories of 25 memos each (the memo folder and
// 199 sub-folders, 5,000 memos). A click on a category and opening the index, each to its
// first paint, against a floor in the same run: plain QListWidgets filled with the same names.
// Program and floor take turns; medians are printed with their ratio.
//
//   memo_index_bench [rounds]       (QT_QPA_PLATFORM=offscreen unless set)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "cp932.h"
#include "fonts.h"
#include "globals.h"
#include "memo_index.h"
#include "message_box.h"
#include "paths.h"
#include "scoped_port.h"

using namespace foundation;
using namespace accessories;

namespace {

class SilentMessages : public platform::MessagePort {
  public:
    int Show(const platform::MessageRequest& r) override {
        return r.buttons.empty() ? 0 : r.buttons.front();
    }
};

constexpr int kMemosPerCategory = 25;

// The memo folder with `categories` categories: itself and categories - 1 sub-folders.
struct MemoFolder {
    QTemporaryDir home;
    std::string root;
    QStringList categories;  // as the list shows them, "標準" first
    std::vector<QStringList> memos;

    explicit MemoFolder(int count) {
        root = platform::ToCp932(home.path());
        categories << QStringLiteral("標準");
        for (int c = 1; c < count; ++c) {
            char name[32];
            std::snprintf(name, sizeof name, "%03d", c);
            categories << QStringLiteral("分類") + QString::fromLatin1(name);
        }
        categories.sort();
        categories.move(categories.indexOf(QStringLiteral("標準")), 0);
        const std::string text = Sj("牛乳\r\nパン\r\n表計算の資料\r\n");
        for (int c = 0; c < count; ++c) {
            const std::string folder =
                c == 0 ? root + "/" : root + "/" + platform::ToCp932(categories[c]) + "/";
            QDir().mkpath(platform::DiskPath(folder));
            QStringList names;
            for (int m = 0; m < kMemosPerCategory; ++m) {
                const QString name =
                    QStringLiteral("買物メモ%1.txt").arg(m, 2, 10, QLatin1Char('0'));
                // Plain writes: 5,000 synced ones would take minutes.
                QFile file(platform::DiskPath(folder + platform::ToCp932(name)));
                if (!file.open(QIODevice::WriteOnly)) std::abort();
                file.write(text.data(), static_cast<qint64>(text.size()));
                names << name;
            }
            names.sort(Qt::CaseInsensitive);
            memos.push_back(names);
        }
        Settings.memo_path = root;
    }
};

void Paint() { QApplication::processEvents(); }

// Press and release on the row as the mouse does, the row scrolled into view beforehand.
void ClickRow(QListWidget* list, int row) {
    const QPoint at = list->visualItemRect(list->item(row)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(type, at, list->viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &e);
    }
}

// The floor's window: the two lists side by side at the index's size.
struct FloorWindow {
    QWidget window;
    QListWidget* categories = new QListWidget(&window);
    QListWidget* files = new QListWidget(&window);
    FloorWindow() {
        auto* layout = new QHBoxLayout(&window);
        layout->addWidget(categories);
        layout->addWidget(files);
        window.resize(266, 377);
    }
    void Fill(const QStringList& names, const QStringList& memos) {
        categories->clear();
        categories->addItems(names);
        files->clear();
        files->addItems(memos);
    }
};

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Ms(const std::function<void()>& step) {
    QElapsedTimer t;
    t.start();
    step();
    return t.nsecsElapsed() / 1e6;
}

void Report(const char* what, const std::vector<double>& program,
            const std::vector<double>& floor) {
    const double p = Median(program), f = Median(floor);
    std::printf("%-44s program %8.2f ms   floor %6.2f ms   ratio %6.1f\n", what, p, f, p / f);
    std::fflush(stdout);
}

// A click on a visible category, alternating between two, program and floor by turns.
void ClickOnACategory(int categories, int rounds) {
    MemoFolder folder(categories);
    auto* index = new TfrMokuzi;
    index->PlaceFromSettings();
    index->show();
    Paint();
    FloorWindow floor;
    floor.window.show();
    floor.Fill(folder.categories, folder.memos[0]);
    Paint();
    std::vector<double> program, base;
    for (int r = 0; r < rounds; ++r) {
        const int row = 2 + r % 2 * 3;
        program.push_back(Ms([&] {
            ClickRow(index->lv1, row);
            Paint();
        }));
        if (index->FileListBox1->count() != kMemosPerCategory) std::abort();
        base.push_back(Ms([&] {
            floor.Fill(folder.categories, folder.memos[row]);
            Paint();
        }));
    }
    delete index;
    char what[64];
    std::snprintf(what, sizeof what, "click on a category, %d x %d memos", categories,
                  kMemosPerCategory);
    Report(what, program, base);
}

// Opening the index on the memo folder, to its first paint; the floor opens a window of two
// lists filled with the names the index shows.
void OpenTheIndex(int categories, int rounds) {
    MemoFolder folder(categories);
    std::vector<double> program, base;
    for (int r = 0; r < rounds; ++r) {
        TfrMokuzi* index = nullptr;
        program.push_back(Ms([&] {
            index = new TfrMokuzi;
            index->PlaceFromSettings();
            index->show();
            Paint();
        }));
        if (index->lv1->count() != categories) std::abort();
        delete index;
        Paint();
        FloorWindow* floor = nullptr;
        base.push_back(Ms([&] {
            floor = new FloorWindow;
            floor->Fill(folder.categories, folder.memos[0]);
            floor->window.show();
            Paint();
        }));
        delete floor;
        Paint();
    }
    char what[64];
    std::snprintf(what, sizeof what, "open the index, %d memos in %d categories",
                  categories * kMemosPerCategory, categories);
    Report(what, program, base);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The offscreen platform's notes on every window would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    platform::InstallFontSubstitutes();
    SilentMessages messages;
    const platform::ScopedPort<platform::MessagePort> silent(platform::SetMessagePort, &messages);
    ResetGlobals();
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 41;
    ClickOnACategory(200, rounds);
    ClickOnACategory(1000, rounds);  // flat in the number of categories
    OpenTheIndex(200, rounds);
    return 0;
}
