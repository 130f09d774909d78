// Every window of the program asks for the buttons and border its own description names.
#include <gtest/gtest.h>

#include <QWidget>
#include <functional>
#include <memory>

#include "about_box.h"
#include "alarm_dialog.h"
#include "day_window.h"
#include "exit_notice.h"
#include "fake_clock.h"
#include "fake_sound.h"
#include "globals.h"
#include "holiday_editor.h"
#include "input_wizard.h"
#include "jump_dialog.h"
#include "launcher_setup.h"
#include "launcher_window.h"
#include "link_dialog.h"
#include "main_window.h"
#include "memo_editor.h"
#include "memo_index.h"
#include "memo_title_dialog.h"
#include "month_view.h"
#include "notice_popup.h"
#include "options_hub.h"
#include "path_dialog.h"
#include "period_export_dialog.h"
#include "program_test.h"
#include "search_window.h"
#include "settings_dialog.h"
#include "start_notice.h"
#include "system_info.h"
#include "temp_folder.h"
#include "title_bar.h"
#include "todo_input.h"
#include "todo_window.h"
#include "year_view.h"

using namespace foundation;
using namespace schedule;
using namespace accessories;

namespace {

using platform::TitleBarButtons;

// menu, minimise, maximise, close, one size
constexpr TitleBarButtons kMainWindow{true, true, false, true, true};
constexpr TitleBarButtons kDialogBorder{true, false, false, true, true};
constexpr TitleBarButtons kSizableMenuOnly{true, false, false, true, false};
constexpr TitleBarButtons kNoMinimize{true, false, true, true, false};
constexpr TitleBarButtons kAllButtons{true, true, true, true, false};
constexpr TitleBarButtons kSingleBorderAll{true, true, false, true, true};
constexpr TitleBarButtons kNoButtons{false, false, false, false, true};

class WindowTitleBars : public ProgramTest {
  protected:
    void SetUp() override {
        DataIn(dat.Path());
        AppDir = dat.Path();
        clock.Set(2004, 5, 3, 9, 0);
    }

    TempFolder dat;
    FakeClock clock;
    FakeSound sound;
};

template <typename W>
std::function<std::unique_ptr<QWidget>()> Make() {
    return [] { return std::make_unique<W>(); };
}

TEST_F(WindowTitleBars, EveryWindowHasTheButtonsOfItsDescription) {
    struct {
        const char* name;
        std::function<std::unique_ptr<QWidget>()> make;
        TitleBarButtons buttons;
    } const cases[] = {
        {"main window: system menu and minimise, single fixed border", Make<TfrTavik>(),
         kMainWindow},
        {"alarm dialog: dialog border, system menu only", Make<TfrmAlm>(), kDialogBorder},
        {"notice popup: dialog border", Make<TfrAnnai>(), kDialogBorder},
        {"start notice: single border, system menu only", Make<TfrYotei>(), kDialogBorder},
        {"exit notice: the same frame", Make<Tfryotei2>(), kDialogBorder},
        {"jump dialog: dialog border", Make<TfrJp>(), kDialogBorder},
        {"folder dialog: dialog border, system menu only", Make<TfrPath>(), kDialogBorder},
        {"month view: no minimise", Make<TfrTuki>(), kNoMinimize},
        {"year view: system menu and maximise", Make<TfrNen>(), kNoMinimize},
        {"holiday editor: dialog border", Make<TfrHolSet>(), kDialogBorder},
        {"input wizard: no buttons on its title bar", Make<TfrTkInput>(), kNoButtons},
        {"search: single border, default buttons", Make<TfrKensaku>(), kSingleBorderAll},
        {"to-do list: sizable", Make<TfrToDo>(), kAllButtons},
        {"to-do entry: dialog border", Make<TfrToDoInput>(), kDialogBorder},
        {"memo editor: sizable", Make<TfrMemo>(), kAllButtons},
        {"memo index: sizable tool window", Make<TfrMokuzi>(), kSizableMenuOnly},
        {"link dialog: dialog border", Make<TfrKanren>(), kDialogBorder},
        {"new memo title: dialog border", Make<TfrMemoTiInp>(), kDialogBorder},
        {"launcher: dialog border, system menu only", Make<TfrRun>(), kDialogBorder},
        {"launcher setup: sizable, system menu and maximise", Make<TfrSetPrg>(), kNoMinimize},
        {"options hub: dialog border, system menu only", Make<TfrOp>(), kDialogBorder},
        {"settings: single fixed border, no buttons", Make<TfrSet>(), kNoButtons},
        {"about box: single fixed border, system menu only", Make<TfrVer>(), kDialogBorder},
        {"system information: dialog border", Make<TfrSysinfo>(), kDialogBorder},
        {"period export: its buttons removed", Make<TfrYoFsave>(), kNoButtons},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::unique_ptr<QWidget> w = c.make();
        ASSERT_TRUE(w->isWindow());
        const auto buttons = platform::TitleBarOf(w.get());
        ASSERT_TRUE(buttons.has_value());
        EXPECT_EQ(buttons->menu, c.buttons.menu);
        EXPECT_EQ(buttons->minimize, c.buttons.minimize);
        EXPECT_EQ(buttons->maximize, c.buttons.maximize);
        EXPECT_EQ(buttons->close, c.buttons.close);
        EXPECT_EQ(buttons->fixed, c.buttons.fixed);
        EXPECT_EQ(w->minimumSize() == w->maximumSize(), c.buttons.fixed);
    }
}

// The day window and the sticky notes have no title bar at all.
TEST_F(WindowTitleBars, TheDayWindowHasNoTitleBar) {
    TfrYo3 day;
    EXPECT_TRUE(day.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(platform::TitleBarOf(&day).has_value());
}

}  // namespace
