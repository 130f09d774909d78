// The to-do entry dialog: its boxes on show, the checked date, and the project names it keeps.
#include "todo_input.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <optional>

#include "calendar_rules.h"
#include "cp932.h"
#include "fake_clock.h"
#include "fake_desktop.h"
#include "fake_messages.h"
#include "globals.h"
#include "program_test.h"
#include "read_fault.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

QStringList Items(const QComboBox* box) {
    QStringList out;
    for (int i = 0; i < box->count(); ++i) out << box->itemText(i);
    return out;
}

class ToDoInput : public ProgramTest {
  protected:
    void SetUp() override {
        BaseDir = home.Path();
        clock.Set(2004, 5, 1, 9, 0, 0);
    }
    std::unique_ptr<TfrToDoInput> Make(TDateTime initial = 0) {
        auto d = std::make_unique<TfrToDoInput>();
        d->InitialDate = initial;
        d->show();
        return d;
    }

    FakeClock clock;
    FakeMessages messages;
    FakeDialogs dialogs;
    TempFolder home;
};

}  // namespace

TEST_F(ToDoInput, NewItemOpensOnToday) {
    auto d = Make();
    EXPECT_EQ(d->windowTitle(), U("ToDoの新規追加"));
    EXPECT_EQ(d->size(), QSize(448, 258));
    EXPECT_EQ(d->cb_yy->currentText(), "2004");
    EXPECT_EQ(Items(d->cb_yy).size(), 11);
    EXPECT_EQ(Items(d->cb_yy).front(), "2004");
    EXPECT_EQ(Items(d->cb_yy).back(), "2014");
    EXPECT_EQ(d->cb_mm->currentText(), " 5");
    EXPECT_EQ(Items(d->cb_mm).front(), " 1");
    EXPECT_EQ(Items(d->cb_mm).size(), 12);
    EXPECT_EQ(d->cb_dd->currentText(), " 1");
    EXPECT_EQ(Items(d->cb_dd).back(), "31");
    EXPECT_EQ(d->cb_Zyuyo->currentText(), U("普通"));
    EXPECT_EQ(Items(d->cb_Zyuyo), (QStringList{U("非常に重要"), U("重要"), U("普通"),
                                               U("あまり重要でない"), U("重要でない")}));
    EXPECT_EQ(d->cb_zyoTai->currentText(), U("未着手"));
    EXPECT_EQ(Items(d->cb_zyoTai), (QStringList{U("未着手"), U("進行中"), U("保留中"), U("完了")}));
    EXPECT_EQ(d->kanren->toolTip(), U("このToDoに関連するﾜｰﾌﾟﾛ文書やURLなどを設定します。"));
    const char* const labels[][2] = {{"Label1", "目標完了日："}, {"Label6", "重要度："},
                                     {"Label7", "状態："},       {"Label8", "ﾌﾟﾛｼﾞｪｸﾄ："},
                                     {"Label5", "内容："},       {"Label9", "関連情報："}};
    for (const auto& l : labels) {
        auto* label = d->findChild<QLabel*>(l[0]);
        ASSERT_NE(label, nullptr) << l[0];
        EXPECT_EQ(label->text(), U(l[1]));
        EXPECT_TRUE(label->font().bold());
    }
    EXPECT_EQ(d->Button1->text(), "O.K");
    EXPECT_EQ(d->Button2->text(), U("ｷｬﾝｾﾙ"));
}

TEST_F(ToDoInput, EarlierItemListsElevenYearsFromItsYear) {
    auto d = Make(EncodeDate(1999, 12, 9));
    EXPECT_EQ(Items(d->cb_yy).front(), "1999");
    EXPECT_EQ(Items(d->cb_yy).back(), "2009");
    EXPECT_EQ(d->cb_mm->currentText(), "12");
    EXPECT_EQ(d->cb_dd->currentText(), " 9");
}

TEST_F(ToDoInput, OkWritesTwoDigitsOrRefusesTheDate) {
    struct Case {
        const char *y, *m, *d;
        bool accepted;
        const char *month, *day;
    } cases[] = {
        {"2004", " 5", " 3", true, "05", "03"}, {"2004", "5", "31", true, "05", "31"},
        {"2005", "4", "31", true, "04", "31"},  // the list makes it the 30th
        {"2004", "13", "1", false, "", ""},     {"2004", "x", "1", false, "", ""},
        {"2004", "1", "", false, "", ""},       {"04", "1", "1", false, "", ""},
    };
    for (const auto& c : cases) {
        messages.shown.clear();
        auto d = Make();
        d->cb_yy->setCurrentText(c.y);
        d->cb_mm->setCurrentText(c.m);
        d->cb_dd->setCurrentText(c.d);
        d->cb_prj->setCurrentText("p");
        d->Button1Click();
        EXPECT_EQ(d->isVisible(), !c.accepted) << c.y << c.m << c.d;
        if (c.accepted) {
            EXPECT_EQ(d->result(), TfrToDoInput::kResultOk);
            EXPECT_EQ(d->cb_mm->currentText(), c.month);
            EXPECT_EQ(d->cb_dd->currentText(), c.day);
            EXPECT_TRUE(messages.shown.empty());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, U("目標完了日が正しくありません。"));
            EXPECT_FALSE(home.Exists("todo_prj.txt")) << "nothing changed";
        }
        QFile::remove(platform::DiskPath(home.File("todo_prj.txt")));
    }
}

TEST_F(ToDoInput, ProjectNamesMostRecentFirst) {
    struct Case {
        std::optional<std::string> before;  // none: no file
        QString typed;
        std::string after, project;
    } cases[] = {
        {std::nullopt, "", "", ""},
        {std::nullopt, U("営業"), Sj("営業\r\n"), Sj("営業")},
        {Sj("A\r\nB\r\n営業\r\nC\r\n"), U("営業"), Sj("営業\r\nA\r\nB\r\nC\r\n"), Sj("営業")},
        {"A\r\nB\r\n", "A", "A\r\nB\r\n", "A"},
        {"A\r\nB\r\n", "", "A\r\nB\r\n", ""},
        {"A\r\nB\r\n", "a", "a\r\nA\r\nB\r\n", "a"},  // exact comparison
        {"A\nB", "C", "C\r\nA\r\nB\r\n", "C"},
        // Names nobody typed keep their codes, also the one chosen again.
        {"\xED\x40\r\n\x85\x40\r\n", "C", "C\r\n\xED\x40\r\n\x85\x40\r\n", "C"},
        {"A\r\n\xED\x40\r\n", platform::FromCp932("\xED\x40"), "\xED\x40\r\nA\r\n", "\xED\x40"},
    };
    for (const auto& c : cases) {
        if (c.before) {
            ASSERT_TRUE(home.Write("todo_prj.txt", *c.before));
        } else {
            QFile::remove(platform::DiskPath(home.File("todo_prj.txt")));
        }
        auto d = Make();
        d->cb_prj->setCurrentText(c.typed);
        d->Button1Click();
        EXPECT_EQ(home.Read("todo_prj.txt"), c.after) << c.typed.toStdString();
        EXPECT_EQ(d->Entry().project, c.project);
    }
}

TEST_F(ToDoInput, UnreadableProjectListIsNotReplaced) {
    ASSERT_TRUE(home.Write("todo_prj.txt", "A\r\n"));
    ReadFault fault;
    fault.paths = {home.File("todo_prj.txt")};
    auto d = Make();
    d->cb_prj->setCurrentText("new");
    d->Button1Click();
    EXPECT_EQ(d->result(), TfrToDoInput::kResultOk);
    EXPECT_EQ(d->Entry().project, "new");
    fault.on = false;
    EXPECT_EQ(home.Read("todo_prj.txt"), "A\r\n");
}

TEST_F(ToDoInput, EscapeDoesNothingCancelAndTitleBarAnswerCancel) {
    auto d = Make();
    QTest::keyClick(d.get(), Qt::Key_Escape);
    EXPECT_TRUE(d->isVisible());
    d->Button2->click();
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(d->result(), TfrToDoInput::kResultCancel);
    EXPECT_FALSE(home.Exists("todo_prj.txt"));
    d = Make();
    d->close();
    EXPECT_EQ(d->result(), TfrToDoInput::kResultCancel);
}

TEST_F(ToDoInput, BrowseFillsTheLink) {
    auto d = Make();
    dialogs.files = {std::nullopt, U("/home/u/資料.txt")};
    d->bt_sanClick();
    EXPECT_EQ(d->kanren->text(), QString());
    d->bt_sanClick();
    EXPECT_EQ(d->kanren->text(), U("/home/u/資料.txt"));
    EXPECT_EQ(d->Entry().link, Sj("/home/u/資料.txt"));
}

TEST_F(ToDoInput, EditShowsTheRowsValues) {
    auto d = std::make_unique<TfrToDoInput>();
    // Codes that read back as others, or as no character, stay while nobody edits them.
    d->SetItem({Sj("あまり重要でない"), Sj("内容") + "\xED\x40", Sj("保留中"), "2004/06/30", "  60",
                Sj("開発") + "\x85\x40", "http://x/\x80"});
    d->InitialDate = EncodeDate(2004, 6, 30);
    d->show();
    const ToDoEntry e = d->Entry();
    EXPECT_EQ(e.importance, Sj("あまり重要でない"));
    EXPECT_EQ(e.status, Sj("保留中"));
    EXPECT_EQ(e.year + "/" + e.month + "/" + e.day, "2004/ 6/30");
    EXPECT_EQ(e.content, Sj("内容") + "\xED\x40");
    EXPECT_EQ(e.project, Sj("開発") + "\x85\x40");
    EXPECT_EQ(e.link, "http://x/\x80");
    d->tx_todo->setText(d->tx_todo->text() + U("😀x"));
    messages.answers = {platform::kBtnNo, platform::kBtnYes};
    d->Button1->click();
    EXPECT_TRUE(d->isVisible());  // back to the text as typed
    EXPECT_EQ(d->tx_todo->text(), platform::FromCp932(Sj("内容") + "\xED\x40") + U("😀x"));
    d->Button1->click();
    EXPECT_EQ(d->result(), TfrToDoInput::kResultOk);
    EXPECT_EQ(d->Entry().content, Sj("内容") +
                                      "\xFA\x5C"
                                      "x");  // edited: written anew
    EXPECT_EQ(d->Entry().project, Sj("開発") + "\x85\x40");
}
