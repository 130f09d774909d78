// The to-do store: hand-written files byte for byte, damaged and hostile files, and the rule
// that nothing the program could not read is ever replaced.
#include "todo_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <chrono>

#include "calendar_rules.h"
#include "cp932.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "read_fault.h"
#include "temp_folder.h"
#include "unreadable_files.h"

using namespace foundation;

namespace {

// One item as "date|content|status|project|importance|link", texts in UTF-8.
std::string Show(const TTODO& t) {
    std::string date;
    FormatDateTimeSafe("yyyy/mm/dd", date, t.Due);
    return date + "|" + platform::Cp932ToUtf8(t.Content) + "|" + std::to_string(t.Status) + "|" +
           platform::Cp932ToUtf8(t.Project) + "|" + std::to_string(t.Importance) + "|" +
           platform::Cp932ToUtf8(t.Link);
}

std::vector<std::string> ShowAll(const std::vector<TTODO>& items) {
    std::vector<std::string> out;
    for (const TTODO& t : items) out.push_back(Show(t));
    return out;
}

TTODO Item(int y, int m, int d, const char* content, int status, const char* project,
           int importance, const char* link) {
    TTODO t;
    t.Due = EncodeDate(y, m, d);
    t.Content = Sj(content);
    t.Status = static_cast<uint8_t>(status);
    t.Project = Sj(project);
    t.Importance = static_cast<uint8_t>(importance);
    t.Link = Sj(link);
    return t;
}

}  // namespace

TEST(ToDoCodes, TextsAndCodes) {
    struct Case {
        int code;
        const char* importance;
        const char* status;
    } cases[] = {
        {0, "非常に重要", "未着手"}, {1, "重要", "進行中"},
        {2, "普通", "完了"},         {3, "あまり重要でない", "保留中"},
        {4, "重要でない", "未着手"}, {5, "普通", "未着手"},
        {-1, "普通", "未着手"},      {255, "普通", "未着手"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ImportanceText(c.code), Sj(c.importance)) << c.code;
        EXPECT_EQ(StatusText(c.code), Sj(c.status)) << c.code;
    }
    EXPECT_EQ(ImportanceCode(Sj("あまり重要でない")), 3);
    EXPECT_EQ(ImportanceCode(Sj("重要でない")), 4);
    EXPECT_EQ(ImportanceCode(Sj("とても")), 2);
    EXPECT_EQ(ImportanceCode(""), 2);
    EXPECT_EQ(StatusCode(Sj("保留中")), 3);
    EXPECT_EQ(StatusCode(Sj("完了 ")), 0);
    // Images 0-4 for the importances of "未着手", then 5 per status.
    EXPECT_EQ(ToDoIconIndex(Sj("非常に重要"), Sj("未着手")), 0);
    EXPECT_EQ(ToDoIconIndex(Sj("重要でない"), Sj("進行中")), 9);
    EXPECT_EQ(ToDoIconIndex(Sj("普通"), Sj("完了")), 12);
    EXPECT_EQ(ToDoIconIndex(Sj("重要"), Sj("保留中")), 16);
}

TEST(ToDoStore, WritesBlocksByteForByte) {
    struct Case {
        const char* name;
        std::vector<TTODO> items;
        std::string bytes;
    } cases[] = {
        {"none", {}, ""},
        {"one",
         {Item(2005, 4, 30, "企画書", 1, "表計算", 0, "/home/u/a.txt")},
         "#S#!\r\n \r\n2005/04/30\r\n" + Sj("企画書") + "\r\n1\r\n" + Sj("表計算") +
             "\r\n0\r\n/home/u/a.txt\r\n#E#!\r\n"},
        {"empty project and link",
         {Item(1999, 1, 2, "x", 0, "", 2, ""), Item(2010, 12, 31, "y", 3, "", 4, "")},
         "#S#!\r\n \r\n1999/01/02\r\nx\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"
         "#S#!\r\n \r\n2010/12/31\r\ny\r\n3\r\n\r\n4\r\n\r\n#E#!\r\n"},
        {"no content", {Item(2005, 4, 30, "", 1, "p", 0, "l")}, "#S#!\r\n#E#!\r\n"},
        {"dates at the ends of the years",
         {Item(1899, 12, 30, "a", 0, "", 2, ""), Item(1901, 1, 1, "b", 0, "", 2, ""),
          Item(9999, 12, 31, "c", 0, "", 2, "")},
         "#S#!\r\n \r\n1899/12/30\r\na\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"
         "#S#!\r\n \r\n1901/01/01\r\nb\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"
         "#S#!\r\n \r\n9999/12/31\r\nc\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"},
        // Codes outside the tables are written as their texts read back.
        {"unknown codes",
         {Item(2005, 1, 1, "z", 9, "", 7, "")},
         "#S#!\r\n \r\n2005/01/01\r\nz\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"},
        // A text must not end the block early nor add lines.
        {"end marker and line breaks",
         {Item(2005, 1, 1, "#E#!", 0, "#E#!", 2, "a\r\nb\nc\rd")},
         "#S#!\r\n \r\n2005/01/01\r\n#E#! \r\n0\r\n#E#! \r\n2\r\na  b c d\r\n#E#!\r\n"},
        {"half-width katakana and table sign",
         {Item(2005, 1, 1, "ﾃｽﾄ表", 0, "ﾌﾟﾛｼﾞｪｸﾄ", 2, "")},
         "#S#!\r\n \r\n2005/01/01\r\n" + Sj("ﾃｽﾄ表") + "\r\n0\r\n" + Sj("ﾌﾟﾛｼﾞｪｸﾄ") +
             "\r\n2\r\n\r\n#E#!\r\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatToDo(c.items), c.bytes) << c.name;
        // What is written reads back as it was meant (texts with their breaks flattened); an
        // item without content is not read back.
        if (std::string(c.name) == "no content") continue;
        std::vector<TTODO> back;
        EXPECT_EQ(ParseToDo(c.bytes, back), ToDoRead::Complete) << c.name;
        EXPECT_EQ(FormatToDo(back), c.bytes) << c.name;
    }
}

TEST(ToDoStore, ReadsHandWrittenFiles) {
    struct Case {
        const char* name;
        std::string bytes;
        ToDoRead result;
        std::vector<std::string> items;
    } cases[] = {
        {"empty file", "", ToDoRead::Complete, {}},
        {"one block",
         "#S#!\r\n \r\n2005/04/30\r\n" + Sj("企画書") + "\r\n1\r\n" + Sj("営業") +
             "\r\n0\r\nhttp://x/\r\n#E#!\r\n",
         ToDoRead::Complete,
         {"2005/04/30|企画書|1|営業|0|http://x/"}},
        {"LF line ends, no final break",
         "#S#!\n \n2005/4/3\nc\n2\n\n4\n\n#E#!",
         ToDoRead::Complete,
         {"2005/04/03|c|2||4|"}},
        {"start and end alone add nothing", "#S#!\r\n#E#!\r\n", ToDoRead::Complete, {}},
        {"empty content adds nothing",
         "#S#!\r\n \r\n2005/01/01\r\n\r\n0\r\np\r\n1\r\nl\r\n#E#!\r\n",
         ToDoRead::Complete,
         {}},
        {"cut after the project: importance 2, no link",
         "#S#!\r\n \r\n2005/01/01\r\nc\r\n3\r\np\r\n#E#!\r\n",
         ToDoRead::Complete,
         {"2005/01/01|c|3|p|2|"}},
        {"cut after the status",
         "#S#!\r\n \r\n2005/01/01\r\nc\r\n1\r\n#E#!\r\n",
         ToDoRead::Complete,
         {"2005/01/01|c|1||2|"}},
        {"cut after the importance",
         "#S#!\r\n \r\n2005/01/01\r\nc\r\n1\r\np\r\n4\r\n#E#!\r\n",
         ToDoRead::Complete,
         {"2005/01/01|c|1|p|4|"}},
        {"numbers with leading blanks and sign",
         "#S#!\r\n \r\n2005/01/01\r\nc\r\n +1\r\np\r\n  3\r\nl\r\n#E#!\r\n",
         ToDoRead::Complete,
         {"2005/01/01|c|1|p|3|l"}},
        {"a bad date leaves its block out; the blocks around it stay",
         "#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"
         "#S#!\r\n \r\n2005/02/30\r\nb\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n"
         "#S#!\r\n \r\n2005/03/01\r\nc\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n",
         ToDoRead::Damaged,
         {"2005/01/01|a|0||2|", "2005/03/01|c|0||2|"}},
        {"a bad status drops its block",
         "#S#!\r\n \r\n2005/01/01\r\na\r\n1x\r\n\r\n2\r\n\r\n#E#!\r\n",
         ToDoRead::Damaged,
         {}},
        {"a bad importance drops its block",
         "#S#!\r\n \r\n2005/01/01\r\na\r\n1\r\np\r\n\r\n\r\n#E#!\r\n",
         ToDoRead::Damaged,
         {}},
        {"end marker in the date line", "#S#!\r\n \r\n#E#!\r\n", ToDoRead::Damaged, {}},
        {"file cut inside the last block",
         "#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n#S#!\r\n \r\n2005/01/02\r\nb",
         ToDoRead::Damaged,
         {"2005/01/01|a|0||2|"}},
        {"start line alone at the end", "#S#!", ToDoRead::Damaged, {}},
        {"file cut before the last end marker: the item is whole",
         "#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\np\r\n1\r\nl\r\n",
         ToDoRead::Damaged,
         {"2005/01/01|a|0|p|1|l"}},
        {"lines outside blocks are skipped but reported",
         "junk\r\n#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n",
         ToDoRead::Damaged,
         {"2005/01/01|a|0||2|"}},
        {"blank lines outside blocks are harmless",
         "\r\n#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n\r\n",
         ToDoRead::Complete,
         {"2005/01/01|a|0||2|"}},
        // A block without its end marker reads the next block as a further pass.
        {"missing end marker: a further pass replaces the values",
         "#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\np\r\n1\r\nl\r\n"
         "#S#!\r\n2005/01/02\r\nb\r\n1\r\n#E#!\r\n",
         ToDoRead::Damaged,
         {"2005/01/02|b|1|p|1|l"}},
    };
    for (const auto& c : cases) {
        std::vector<TTODO> items;
        EXPECT_EQ(ParseToDo(c.bytes, items), c.result) << c.name;
        EXPECT_EQ(ShowAll(items), c.items) << c.name;
    }
}

TEST(ToDoStore, HostileFilesEndQuickly) {
    // Random bytes, huge lines and many items: no crash, no hang, nothing invented.
    std::string noise;
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        noise.push_back(static_cast<char>(seed >> 16));
    }
    std::vector<TTODO> items;
    ParseToDo(noise, items);
    EXPECT_LT(items.size(), 10u);
    ParseToDo("#S#!\r\n" + noise, items);

    const std::string bigLine(1 << 20, 'a');
    items.clear();
    EXPECT_EQ(
        ParseToDo(FormatToDo({Item(2005, 1, 1, "x", 0, "", 2, "")}).insert(0, bigLine + "\r\n"),
                  items),
        ToDoRead::Damaged);
    EXPECT_EQ(items.size(), 1u);

    std::vector<TTODO> many;
    for (int i = 0; i < 10000; ++i) {
        TTODO t = Item(2005, 1, 1 + i % 28, "x", i % 4, "", i % 5, "");
        t.Content = std::to_string(i) + bigLine.substr(0, i % 100);
        many.push_back(t);
    }
    many[5000].Content = bigLine;
    const auto start = std::chrono::steady_clock::now();
    const std::string bytes = FormatToDo(many);
    items.clear();
    EXPECT_EQ(ParseToDo(bytes, items), ToDoRead::Complete);
    EXPECT_EQ(items.size(), 10000u);
    EXPECT_EQ(FormatToDo(items), bytes);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(ToDoStore, MissingFileReadsEmptyAndSaveCreatesIt) {
    TempFolder dir;
    ToDoStore store(dir.File("todo.dat"));
    std::vector<TTODO> items;
    EXPECT_EQ(store.Load(items), ToDoRead::Missing);
    EXPECT_TRUE(items.empty());
    items.push_back(Item(2005, 4, 30, "a", 0, "", 2, ""));
    ASSERT_TRUE(store.Save(items));
    EXPECT_EQ(dir.Read("todo.dat"), FormatToDo(items));
    EXPECT_EQ(QDir(platform::DiskPath(dir.Path())).entryList(QDir::Files | QDir::Hidden),
              QStringList{"todo.dat"});
}

TEST(ToDoStore, EachDamageGetsABackupOfItsOwn) {
    // Two damaged sessions in a row, the second within the same minute: the first backup
    // must survive the second damage.
    TempFolder dir;
    FakeClock clock;
    clock.Set(2026, 12, 9, 8, 12, 30);
    const std::string good = "#S#!\r\n \r\n2005/01/01\r\na\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n";
    const std::string first = good + "#S#!\r\n \r\n2026/13/45\r\nb\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n";
    const std::string second = good + "#S#!\r\n \r\nxx\r\nc\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n";
    const std::string third = good + "junk\r\n";
    ASSERT_TRUE(dir.Write("todo.dat.bak", "an old backup"));
    for (const std::string* damaged : {&first, &second, &third}) {
        ASSERT_TRUE(dir.Write("todo.dat", *damaged));
        ToDoStore store(dir.File("todo.dat"));
        std::vector<TTODO> items;
        ASSERT_EQ(store.Load(items), ToDoRead::Damaged);
        EXPECT_TRUE(store.DamageIsNew());
        // The copy is there before anything is saved.
        EXPECT_EQ(dir.Read(store.Backup().substr(dir.Path().size() + 1)), *damaged);
        ASSERT_TRUE(store.Save(items));
        EXPECT_EQ(dir.Read("todo.dat"), good);
        if (damaged == &second) clock.Set(2026, 12, 10, 23, 5);
    }
    EXPECT_EQ(dir.Read("todo.dat.bak-20261209-0812"), first);
    EXPECT_EQ(dir.Read("todo.dat.bak-20261209-0812-2"), second);
    EXPECT_EQ(dir.Read("todo.dat.bak-20261210-2305"), third);
    EXPECT_EQ(dir.Read("todo.dat.bak"), "an old backup");
    EXPECT_EQ(QDir(platform::DiskPath(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 5);

    // A damage that a backup already holds gets no further copy; read again in this run, it
    // is no news.
    ASSERT_TRUE(dir.Write("todo.dat", second));
    for (bool news : {true, false}) {
        ToDoStore again(dir.File("todo.dat"));
        std::vector<TTODO> items;
        ASSERT_EQ(again.Load(items), ToDoRead::Damaged);
        EXPECT_EQ(again.DamageIsNew(), news);
        EXPECT_EQ(again.Backup(), dir.File("todo.dat.bak-20261209-0812-2"));
    }
    EXPECT_EQ(QDir(platform::DiskPath(dir.Path())).entryList(QDir::Files | QDir::Hidden).size(), 5);
}

TEST(ToDoStore, DamagedFileIsNotReplacedWhileNoBackupCanBeMade) {
    // A name so long that no backup name fits beside it: the backup fails even for root.
    TempFolder dir;
    const std::string name(240, 't');
    ASSERT_TRUE(dir.Write(name, "junk\r\n"));
    ToDoStore store(dir.File(name));
    std::vector<TTODO> items;
    EXPECT_EQ(store.Load(items), ToDoRead::Damaged);
    EXPECT_EQ(store.Backup(), "");
    items.push_back(Item(2006, 1, 1, "new", 0, "", 2, ""));
    EXPECT_FALSE(store.Save(items));
    EXPECT_EQ(dir.Read(name), "junk\r\n");
}

TEST(ToDoStore, UnreadableFileIsNeverReplaced) {
    FakeMessages messages;
    TempFolder dir;
    ASSERT_TRUE(dir.Write("todo.dat", "#S#!\r\n#E#!\r\n"));
    ReadFault fault;
    fault.paths = {dir.File("todo.dat")};
    ToDoStore store(dir.File("todo.dat"));
    std::vector<TTODO> items;
    ASSERT_EQ(store.Load(items), ToDoRead::Unreadable);
    EXPECT_EQ(
        messages.Texts(),
        std::vector<QString>{platform::FromCp932(store::UnreadableMessage(dir.File("todo.dat")))});
    items.push_back(Item(2006, 1, 1, "new", 0, "", 2, ""));
    EXPECT_FALSE(store.Save(items));
    fault.on = false;
    EXPECT_EQ(dir.Read("todo.dat"), "#S#!\r\n#E#!\r\n");
}

TEST(ToDoStore, FailedWriteKeepsTheOldFile) {
    TempFolder dir;
    ToDoStore store(dir.File("missing/todo.dat"));
    std::vector<TTODO> items{Item(2006, 1, 1, "new", 0, "", 2, "")};
    EXPECT_EQ(store.Load(items), ToDoRead::Missing);
    EXPECT_FALSE(store.Save(items));
}
