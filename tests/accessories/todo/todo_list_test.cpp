// The to-do list's rules without its window: remaining days, entered dates, the alert's
// choice, the Japanese sort, the deletion log and the file after each change.
#include "todo_list.h"

#include <gtest/gtest.h>

#include <QDir>

#include "calendar_rules.h"
#include "cp932.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "temp_folder.h"

using namespace foundation;
using namespace accessories;

namespace {

ToDoRow Row(const char* importance, const char* content, const char* status, const char* date,
            const char* remain, const char* project = "", const char* link = "") {
    return {Sj(importance), Sj(content), Sj(status), date, remain, Sj(project), Sj(link)};
}

ToDoEntry Entry(const char* importance, const char* status, const char* y, const char* m,
                const char* d, const char* content, const char* project = "",
                const char* link = "") {
    return {Sj(importance), Sj(status), y, m, d, Sj(content), Sj(project), Sj(link)};
}

std::string Block(const char* date, const char* content, int status, const char* project,
                  int importance, const char* link) {
    return "#S#!\r\n \r\n" + std::string(date) + "\r\n" + Sj(content) + "\r\n" +
           std::to_string(status) + "\r\n" + Sj(project) + "\r\n" + std::to_string(importance) +
           "\r\n" + Sj(link) + "\r\n#E#!\r\n";
}

std::vector<std::string> Column(const std::vector<ToDoRow>& rows, int column) {
    std::vector<std::string> out;
    for (const ToDoRow& r : rows) out.push_back(platform::Cp932ToUtf8(r.Cell(column)));
    return out;
}

const TDateTime kToday = EncodeDate(2004, 5, 1);

}  // namespace

TEST(ToDoRules, RemainingDaysTexts) {
    struct Case {
        TDateTime due;
        bool done;
        int width;
        const char* text;
        bool bold;
    } cases[] = {
        {EncodeDate(2004, 5, 1), false, 4, "   0", false},
        {EncodeDate(2004, 4, 30), false, 4, "  -1", true},
        {EncodeDate(2004, 4, 30), false, 5, "   -1", true},
        {EncodeDate(2004, 5, 31), false, 5, "   30", false},
        {EncodeDate(2003, 5, 1), false, 4, "-366", true},  // across 29 February
        {EncodeDate(2010, 1, 1), false, 4, "2071", false},
        {EncodeDate(1950, 1, 1), false, 5, "-19844", true},  // wider than the width
        {EncodeDate(2004, 4, 30), true, 4, "----", false},
        {EncodeDate(2004, 6, 1), true, 5, "----", false},
    };
    for (const auto& c : cases) {
        const std::string text = RemainText(c.done, RemainingDays(c.due, kToday), c.width);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(RemainIsOverdue(text), c.bold) << c.text;
    }
}

TEST(ToDoRules, EnteredDates) {
    struct Case {
        const char *y, *m, *d;
        const char* date;  // nullptr: refused
    } cases[] = {
        {"2005", "04", "31", "2005/04/30"},  // beyond the month: its last day
        {"2004", "02", "31", "2004/02/29"}, {"2100", "02", "29", "2100/02/28"},
        {"2000", "02", "30", "2000/02/29"}, {"2005", " 5", " 3", "2005/05/03"},
        {"2005", "5", "3", "2005/05/03"},   {"2005", "12", "01", "2005/12/01"},
        {"205", "01", "01", nullptr},       {"20050", "01", "01", nullptr},
        {"2005", "13", "01", nullptr},      {"2005", "00", "01", nullptr},
        {"2005", "01", "0", nullptr},       {"2005", "01", "32", nullptr},
        {"2005", "1a", "01", nullptr},      {"2005", "-1", "01", nullptr},
        {"", "01", "01", nullptr},          {"2005", "", "01", nullptr},
        {"２００５", "01", "01", nullptr},
    };
    for (const auto& c : cases) {
        std::string date = "unchanged";
        EXPECT_EQ(EntryDate(Sj(c.y), c.m, c.d, date), c.date != nullptr) << c.y << c.m << c.d;
        if (c.date) {
            EXPECT_EQ(date, c.date);
        }
    }
}

TEST(ToDoRules, AlertChoosesUndoneItemsDueSoon) {
    struct Case {
        int days;  // due date minus today
        int status;
        int todozan;
        bool shown;
    } cases[] = {
        {0, 0, 1, true},   {1, 0, 1, false},    {-1, 0, 1, true}, {-400, 1, 1, true},
        {2, 0, 3, true},   {3, 0, 3, false},    {2, 3, 3, true},  // on hold counts
        {-5, 2, 3, false}, {0, 2, 9, false},                      // done never
        {0, 0, 0, false},  {254, 0, 255, true},
    };
    for (const auto& c : cases) {
        TTODO item;
        item.Due = kToday + c.days;
        item.Status = static_cast<uint8_t>(c.status);
        item.Content = "x";
        EXPECT_EQ(DueForAlert(item, kToday, c.todozan), c.shown)
            << c.days << " " << c.status << " " << c.todozan;
    }
}

TEST(ToDoRules, SortByColumn) {
    const std::vector<ToDoRow> rows = {
        Row("普通", "かき", "完了", "2004/06/01", "----", "b"),
        Row("非常に重要", "あい", "未着手", "2004/05/03", "   2", ""),
        Row("重要でない", "カキ", "進行中", "2003/01/01", " -486", "a"),
        Row("重要", "いう", "保留中", "2004/05/01", "   0", "c"),
        Row("普通", "ab", "未着手", "2004/05/10", "   9", "a"),
    };
    struct Case {
        int column;
        bool descending;
        int keyColumn;
        std::vector<std::string> order;
    } cases[] = {
        {0, false, 1, {"あい", "いう", "かき", "ab", "カキ"}},  // equal keys keep their order
        {0, true, 1, {"カキ", "かき", "ab", "いう", "あい"}},
        {2, false, 2, {"未着手", "未着手", "進行中", "完了", "保留中"}},
        {3, false, 3, {"2003/01/01", "2004/05/01", "2004/05/03", "2004/05/10", "2004/06/01"}},
        {4, false, 4, {" -486", "   0", "   2", "   9", "----"}},  // done last
        {4, true, 4, {"----", "   9", "   2", "   0", " -486"}},
        {5, false, 1, {"あい", "カキ", "ab", "かき", "いう"}},  // empty project as " ", first
        {1, false, 1, {"ab", "あい", "いう", "かき", "カキ"}},
    };
    for (const auto& c : cases) {
        std::vector<ToDoRow> sorted = rows;
        SortToDoRows(sorted, c.column, c.descending);
        EXPECT_EQ(Column(sorted, c.keyColumn), c.order) << c.column << " " << c.descending;
    }
    EXPECT_LT(CompareToDoItems(rows[1], rows[3], 0, false), 0);  // 非常に重要 before 重要
    EXPECT_GT(CompareToDoItems(rows[1], rows[3], 0, true), 0);
    EXPECT_EQ(CompareToDoItems(rows[0], rows[4], 0, false), 0);
    EXPECT_GT(CompareToDoItems(rows[0], rows[1], 4, false), 0);  // "----" counts as 32000
}

TEST(ToDoRules, EachColumnAlternatesItsOwnDirection) {
    TempFolder dir;
    ToDoList list(dir.File("todo.dat"));
    list.rows = {Row("普通", "b", "未着手", "2004/05/02", "   1"),
                 Row("普通", "a", "未着手", "2004/05/03", "   2")};
    list.Sort(1);
    EXPECT_EQ(Column(list.rows, 1), (std::vector<std::string>{"a", "b"}));
    list.Sort(3);  // its first click: ascending
    EXPECT_EQ(Column(list.rows, 1), (std::vector<std::string>{"b", "a"}));
    const std::vector<size_t> order = list.Sort(1);
    EXPECT_EQ(Column(list.rows, 1), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(order, (std::vector<size_t>{0, 1}));
    list.Sort(1);
    EXPECT_EQ(Column(list.rows, 1), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(list.Unsaved()) << "the order reaches the file at the next save";
    EXPECT_FALSE(dir.Exists("todo.dat"));
}

TEST(ToDoRules, DeletionLog) {
    TempFolder dir;
    const std::string path = dir.File("todo_log.txt");
    const ToDoRow a = Row("重要", "会議, 準備", "未着手", "2004/04/30", "  -1", "ﾌﾟﾛ", "http://x/");
    const ToDoRow b = Row("普通", "b", "完了", "2004/05/09", "----");
    ASSERT_EQ(AppendToDoLog(path, a, kToday), LogResult::Ok);
    ASSERT_EQ(AppendToDoLog(path, b, kToday + 1), LogResult::Ok);
    EXPECT_EQ(dir.Read("todo_log.txt"),
              Sj("重要度,内容,状態,目標完了日,残日数,ﾌﾟﾛｼﾞｪｸﾄ,関連情報,削除日\r\n"
                 "重要,会議, 準備,未着手,2004/04/30,  -1,ﾌﾟﾛ,http://x/,2004/05/01\r\n"
                 "普通,b,完了,2004/05/09,----,,,2004/05/02\r\n"));

    EXPECT_EQ(AppendToDoLog(dir.File("missing/todo_log.txt"), a, kToday), LogResult::OpenFailed);
    ASSERT_TRUE(QDir().mkpath(platform::DiskPath(dir.File("dir/todo_log.txt"))));
    EXPECT_EQ(AppendToDoLog(dir.File("dir/todo_log.txt"), a, kToday), LogResult::OpenFailed);
}

TEST(ToDoRules, EveryChangeRewritesTheStore) {
    FakeMessages messages;
    TempFolder dir;
    ToDoList list(dir.File("todo.dat"));
    list.Load(kToday);
    const TDateTime today = kToday;

    ASSERT_TRUE(
        list.Add(Entry("重要", "未着手", "2004", "04", "31", "企画書", "営業", "a.txt"), today));
    EXPECT_EQ(list.rows[0].remain, "   -1");
    EXPECT_EQ(list.rows[0].date, "2004/04/30");
    ASSERT_TRUE(list.Add(Entry("普通", "完了", "2004", "05", "09", ""), today));
    EXPECT_EQ(list.rows[1].content, Sj("内容が設定されていません。"));
    EXPECT_EQ(list.rows[1].remain, "----");
    EXPECT_EQ(dir.Read("todo.dat"),
              Block("2004/04/30", "企画書", 0, "営業", 1, "a.txt") +
                  Block("2004/05/09", "内容が設定されていません。", 2, "", 2, ""));

    ASSERT_TRUE(list.SetStatus(1, Sj("進行中"), today));
    EXPECT_EQ(list.rows[1].remain, "    8");
    ASSERT_TRUE(list.SetStatus(0, Sj("完了"), today));
    EXPECT_EQ(list.rows[0].remain, "----");
    ASSERT_TRUE(list.SetImportance(0, Sj("あまり重要でない")));
    EXPECT_EQ(list.rows[0].remain, "----") << "importance leaves the days alone";
    EXPECT_EQ(list.rows[0].Icon(), 13);
    ASSERT_TRUE(list.Edit(1, Entry("非常に重要", "保留中", "2005", "01", "02", "#E#!", "#E#!", "l"),
                          today));
    EXPECT_EQ(dir.Read("todo.dat"),
              Block("2004/04/30", "企画書", 2, "営業", 3, "a.txt") +
                  "#S#!\r\n \r\n2005/01/02\r\n#E#! \r\n3\r\n#E#! \r\n0\r\nl\r\n#E#!\r\n");
    ASSERT_TRUE(list.Delete(0));
    EXPECT_EQ(dir.Read("todo.dat"),
              "#S#!\r\n \r\n2005/01/02\r\n#E#! \r\n3\r\n#E#! \r\n0\r\nl\r\n#E#!\r\n");
    ASSERT_TRUE(list.Delete(0));
    EXPECT_EQ(dir.Read("todo.dat"), "");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(ToDoRules, LoadsOnceAndReadsTheFourDigitDays) {
    TempFolder dir;
    ASSERT_TRUE(dir.Write("todo.dat", Block("2004/05/03", "a", 0, "p", 0, "") +
                                          Block("2004/04/01", "b", 2, "", 4, "") +
                                          Block("2004/04/30", "c", 3, "", 9, "")));
    ToDoList list(dir.File("todo.dat"));
    list.Load(kToday);
    list.Load(kToday);
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(Column(list.rows, 0), (std::vector<std::string>{"非常に重要", "重要でない", "普通"}));
    EXPECT_EQ(Column(list.rows, 2), (std::vector<std::string>{"未着手", "完了", "保留中"}));
    EXPECT_EQ(Column(list.rows, 4), (std::vector<std::string>{"   2", "----", "  -1"}));

    const std::string before = dir.Read("todo.dat");
    ToDoList alert(dir.File("todo.dat"));
    alert.alertMode = true;
    alert.todozan = 3;
    alert.Load(kToday);
    EXPECT_EQ(Column(alert.rows, 1), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(alert.Save());
    alert.rows.clear();
    EXPECT_TRUE(alert.Save());
    EXPECT_EQ(dir.Read("todo.dat"), before) << "the alert writes nothing";
}

TEST(ToDoRules, FailedSaveSaysSoAndKeepsTheRows) {
    FakeMessages messages;
    TempFolder dir;
    ToDoList list(dir.File("missing/todo.dat"));
    list.Load(kToday);
    EXPECT_FALSE(list.Add(Entry("普通", "未着手", "2004", "05", "01", "a"), kToday));
    EXPECT_EQ(list.rows.size(), 1u);
    EXPECT_TRUE(list.Unsaved());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, U("TODO が書き込めません。"));
    EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning);
    EXPECT_EQ(messages.shown[0].buttons, std::vector<int>{platform::kBtnOk});
}

TEST(ToDoRules, ADamagedStoreIsToldOnceAndEveryReadableItemKept) {
    FakeClock clock;
    clock.Set(2026, 12, 9, 8, 12);
    auto item = [](const char* content) { return Block("2026/12/20", content, 0, "", 2, ""); };
    const std::string a = item("a"), b = item("b"), d = item("d"), e = item("e"), f = item("f");
    const std::string kept =
        U("読み込めなかった部分は、元のﾌｧｲﾙのｺﾋﾟｰに残してあります。").toStdString();
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> contents;
        std::string file = "todo.dat";
    } cases[] = {
        {"item 3 of 6 dated 2026/13/45",
         a + b + Block("2026/13/45", "c", 0, "", 2, "") + d + e + f,
         {"a", "b", "d", "e", "f"}},
        {"a status that is no number",
         a + "#S#!\r\n \r\n2026/12/03\r\nc\r\nx\r\n\r\n2\r\n\r\n#E#!\r\n" + d,
         {"a", "d"}},
        {"an importance that is no number",
         a + "#S#!\r\n \r\n2026/12/03\r\nc\r\n0\r\n\r\n?\r\n\r\n#E#!\r\n" + d,
         {"a", "d"}},
        {"a lost end marker", a.substr(0, a.size() - 6) + d + e, {"a", "d", "e"}},
        {"lost lines swallow the next start", a + "#S#!\r\n \r\n2026/12/03\r\n" + d, {"a", "d"}},
        {"lines outside blocks", "junk\r\n" + a + d, {"a", "d"}},
        {"the file cut inside its last block", a + d.substr(0, 20), {"a"}},
        // No backup name fits beside this one: the file must stay as it is.
        {"no backup can be made", a + "junk\r\n", {"a"}, std::string(240, 't')},
    };
    for (const auto& c : cases) {
        FakeMessages messages;
        TempFolder dir;
        ASSERT_TRUE(dir.Write(c.file, c.bytes));
        const std::string backup = dir.File(c.file + ".bak-20261209-0812");
        const bool backed = c.file == "todo.dat";
        const std::string saying =
            backed ? kept + "\r\n" + platform::Cp932ToUtf8(backup)
                   : U("元のﾌｧｲﾙのｺﾋﾟｰが作れないため、このﾌｧｲﾙには保存しません。").toStdString() +
                         "\r\n" + platform::Cp932ToUtf8(dir.File(c.file));
        ToDoList list(dir.File(c.file));
        list.Load(kToday);
        EXPECT_EQ(Column(list.rows, 1), c.contents) << c.name;
        ASSERT_EQ(messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(
            messages.shown[0].text.toStdString(),
            U("ToDo のﾌｧｲﾙの一部が読み込めませんでした。\r\n読み込めた ToDo は ").toStdString() +
                std::to_string(c.contents.size()) + U(" 件です。\r\n").toStdString() + saying)
            << c.name;
        EXPECT_EQ(messages.shown[0].kind, platform::MsgKind::Warning) << c.name;
        EXPECT_EQ(dir.Read(c.file), c.bytes) << c.name << ": reading writes nothing over it";
        if (backed) {
            EXPECT_EQ(dir.Read(c.file + ".bak-20261209-0812"), c.bytes) << c.name;
        }

        // The alert and the list read the same file: told once.
        ToDoList again(dir.File(c.file));
        again.alertMode = true;
        again.Load(kToday);
        EXPECT_EQ(messages.shown.size(), 1u) << c.name;

        // The save keeps every item read, and only once the copy is there.
        EXPECT_EQ(list.Save(), backed) << c.name;
        std::vector<TTODO> saved;
        EXPECT_EQ(ParseToDo(dir.Read(c.file), saved),
                  backed ? ToDoRead::Complete : ToDoRead::Damaged)
            << c.name;
        EXPECT_EQ(saved.size(), c.contents.size()) << c.name;
    }
}
