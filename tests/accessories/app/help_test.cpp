// F1 and the help buttons open the help document beside the program, and say so when they can't.
#include "help.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <functional>
#include <memory>

#include "cp932.h"
#include "day_window.h"
#include "fake_clock.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "fake_sound.h"
#include "globals.h"
#include "main_window.h"
#include "open_windows.h"
#include "options_hub.h"
#include "program_test.h"
#include "settings_dialog.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

void ReleaseKey(QWidget* target, int key, Qt::KeyboardModifiers mods) {
    QKeyEvent e(QEvent::KeyRelease, key, mods);
    QApplication::sendEvent(target, &e);
}

class Help : public ProgramTest {
  protected:
    void SetUp() override {
        AppDir = program.Path();
        DataIn(data.Path());
        clock.Set(2004, 5, 3, 9, 0);
    }

    TempFolder program, data;
    FakeClock clock;
    FakeSound sound;
    FakeDocuments documents;
    FakeMessages messages;
};

struct Entry {
    const char* name;
    std::function<void()> press;
};

// Every way the user asks for help, each on the window it belongs to.
std::vector<Entry> Entries() {
    return {
        {"F1 in the main window",
         [] {
             TfrYo3 day;
             TfrTavik main;
             main.ShowMonth(2004, 5, 3);
             ReleaseKey(main.Edit1, Qt::Key_F1, Qt::ControlModifier);
         }},
        {"F1 in the day window",
         [] {
             TfrYo3 day;
             ReleaseKey(day.tx_yo, Qt::Key_F1, Qt::NoModifier);
         }},
        {"help button of the settings dialog",
         [] {
             TfrSet dialog;
             dialog.bt_help->click();
         }},
        {"help button of the options hub",
         [] {
             TfrOp hub;
             hub.BitBtn1->click();
         }},
    };
}

TEST_F(Help, EveryEntryOpensTheDocumentBesideTheProgram) {
    ASSERT_TRUE(program.Write("orsel.html", "<html></html>"));
    for (const Entry& entry : Entries()) {
        SCOPED_TRACE(entry.name);
        documents.opened.clear();
        messages.shown.clear();
        entry.press();
        EXPECT_EQ(documents.opened,
                  std::vector<QString>{platform::DiskPath(program.File("orsel.html"))});
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(Help, AMissingDocumentIsToldNotSilentlyIgnored) {
    for (const Entry& entry : Entries()) {
        SCOPED_TRACE(entry.name);
        messages.shown.clear();
        entry.press();
        EXPECT_TRUE(documents.opened.empty());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, U("ヘルプ文書[") +
                                              platform::DiskPath(program.File("orsel.html")) +
                                              U("]が見つかりません。"));
        EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
    }
}

TEST_F(Help, ADocumentNothingCouldOpenIsTold) {
    ASSERT_TRUE(program.Write("orsel.html", "<html></html>"));
    const QString told = U("ヘルプ文書[") + platform::DiskPath(program.File("orsel.html")) +
                         U("]を開けませんでした。");
    // Nothing started to open it; the desktop's opener ran and found no browser.
    for (const bool starts : {false, true}) {
        SCOPED_TRACE(starts);
        messages.shown.clear();
        documents.failures.clear();
        documents.succeeds = starts;
        OpenHelp();
        if (starts) {
            EXPECT_TRUE(messages.shown.empty());
            ASSERT_EQ(documents.failures.size(), 1u);
            ASSERT_TRUE(documents.failures[0]);
            documents.failures[0]();
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.startsWith(told));
    }
}

// The guide the build puts beside the program: found where the program looks, readable as the
// UTF-8 it declares, and every link of its contents leads to a section.
TEST_F(Help, TheShippedGuideIsFoundAndItsContentsLead) {
    const char* shipped = std::getenv("KOLVANE_TEST_DATA");
    ASSERT_NE(shipped, nullptr);
    AppDir = platform::FromDiskPath(QString::fromLocal8Bit(shipped));
    ASSERT_TRUE(platform::FileExists(HelpFilePath()));
    std::string bytes;
    ASSERT_TRUE(platform::ReadWholeFile(HelpFilePath(), bytes));

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString html = utf8(QByteArray::fromStdString(bytes));
    EXPECT_FALSE(utf8.hasError());
    EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));

    QSet<QString> ids;
    for (const auto& m : QRegularExpression(QStringLiteral("id=\"([^\"]+)\"")).globalMatch(html))
        ids.insert(m.captured(1));
    int links = 0;
    for (const auto& m :
         QRegularExpression(QStringLiteral("href=\"#([^\"]+)\"")).globalMatch(html)) {
        ++links;
        EXPECT_TRUE(ids.contains(m.captured(1))) << m.captured(1).toStdString();
    }
    EXPECT_GT(links, 5);
}

}  // namespace
