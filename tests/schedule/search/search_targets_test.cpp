#include "search_targets.h"

#include <gtest/gtest.h>

#include <QDir>
#include <map>

#include "cp932.h"
#include "fake_messages.h"
#include "globals.h"
#include "paths.h"
#include "program_test.h"
#include "read_fault.h"
#include "temp_folder.h"

using namespace foundation;
using namespace schedule;

namespace {

SearchWords Words(const char* first, const char* second = nullptr) {
    SearchWords w;
    ChooseWords(Sj(first), second ? Sj(second) : std::string(), w);
    return w;
}

std::vector<std::string> Lines(const std::vector<SearchHit>& hits) {
    std::vector<std::string> out;
    for (const auto& h : hits) out.push_back(platform::Cp932ToUtf8(h.line));
    return out;
}

using V = std::vector<std::string>;

std::string MonthBytes(const std::map<int, std::string>& days) {
    std::string out;
    for (int d = 1; d <= 31; ++d) {
        out += "#S#!\r\n";
        if (auto it = days.find(d); it != days.end()) out += Sj(it->second) + "\r\n";
        out += "#E#!\r\n";
    }
    return out;
}

class Targets : public ProgramTest {
  protected:
    void SetUp() override {
        Settings.dat_Path = dat.Path();
        Settings.memo_path = memo.Path();
    }
    void MakeFolder(const std::string& name) {
        ASSERT_TRUE(QDir().mkpath(platform::DiskPath(memo.File(name))));
    }
    TempFolder dat, memo, base;
    std::vector<SearchHit> hits;
};

// ---- Memos ----

TEST_F(Targets, MemoLinesThenNamesFolderByFolder) {
    ASSERT_TRUE(memo.Write(Sj("買物.txt"), Sj("牛乳を買う\r\nパン\r\n卵を買う")));
    ASSERT_TRUE(memo.Write(Sj("買う物.txt"), Sj("何もない")));  // name hit
    ASSERT_TRUE(memo.Write(Sj("絵.bmp"), Sj("買う")));          // no text memo
    ASSERT_TRUE(memo.Write(Sj("ukinen.txt"), "1,1,x\r\n"));     // no hit at all
    MakeFolder(Sj("仕事"));
    MakeFolder(Sj("趣味"));
    ASSERT_TRUE(memo.Write(Sj("仕事/b.TXT"), Sj("資料を買う")));
    ASSERT_TRUE(memo.Write(Sj("趣味/a.txt"), Sj("本を買う\n")));
    EXPECT_EQ(MemoKensaku(memo.Path(), Words("買う"), hits), 5);
    EXPECT_EQ(Lines(hits), (V{"メモ【買う物】", "メモ【買物】:牛乳を買う", "メモ【買物】:卵を買う",
                              "メモ【b】:資料を買う", "メモ【a】:本を買う"}));
    EXPECT_EQ(hits[1].kind, HitKind::Memo);
    EXPECT_EQ(hits[1].path, memo.File(Sj("買物.txt")));
    EXPECT_EQ(hits[1].title, Sj("買物"));
    EXPECT_EQ(hits[0].title, "");  // a name hit shows an empty title
    EXPECT_EQ(hits[3].path, memo.Path() + "/" + Sj("仕事/b.TXT"));
}

TEST_F(Targets, MemoTwoWordsListEveryLineWithEither) {
    ASSERT_TRUE(memo.Write("m.txt", Sj("会議\r\n本社\r\n他\r\n会議 本社")));
    EXPECT_EQ(MemoKensaku(memo.Path(), Words("会議", "本社"), hits), 3);
    EXPECT_EQ(Lines(hits), (V{"メモ【m】:会議", "メモ【m】:本社", "メモ【m】:会議 本社"}));
}

TEST_F(Targets, MemoFoldersNamedLikeMemosAndUnreadableMemosAreSkipped) {
    MakeFolder("folder.txt");
    ASSERT_TRUE(memo.Write("ok.txt", Sj("表示を確認")));
    ASSERT_TRUE(memo.Write("secret.txt", Sj("表示")));
    ReadFault fault;
    fault.paths = {memo.File("secret.txt")};
    const int count = MemoKensaku(memo.Path(), Words("表示"), hits);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(Lines(hits), V{"メモ【ok】:表示を確認"});
    EXPECT_EQ(static_cast<int>(hits.size()), count);
}

TEST_F(Targets, MemoWithBrokenBytesAndAHugeLine) {
    std::string huge(2000000, 'a');
    huge += Sj("会議");
    ASSERT_TRUE(memo.Write("big.txt", "\xFF\x83\r\n" + huge + "\r\n\x81"));
    EXPECT_EQ(MemoKensaku(memo.Path(), Words("会議"), hits), 1);
    EXPECT_EQ(hits[0].line.size(), Sj("メモ【big】:").size() + huge.size());
}

TEST_F(Targets, NoMemoFolderNoHits) {
    EXPECT_EQ(MemoKensaku(memo.File("none"), Words("x"), hits), 0);
    EXPECT_TRUE(hits.empty());
}

// ---- To-do ----

std::string Block(const char* due, const char* content, const char* project) {
    return Sj(std::string("#S#!\r\n \r\n") + due + "\r\n" + content + "\r\n0\r\n" + project +
              "\r\n2\r\n\r\n#E#!\r\n");
}

TEST_F(Targets, ToDoBothWordsInContentOrInProject) {
    const std::string todo = Block("2009/03/05", "見積を送る", "A社") +
                             Block("2009/04/01", "見積", "B社") +
                             Block("2009/05/01", "電話", "見積送付") + "#S#!\r\n#E#!\r\n";
    ASSERT_TRUE(base.Write("todo.dat", todo));
    EXPECT_EQ(ToDoKensaku(base.File("todo.dat"), Words("見積"), hits), 3);
    EXPECT_EQ(Lines(hits),
              (V{"ToDo : 見積を送る【A社】 <2009/03/05>", "ToDo : 見積【B社】 <2009/04/01>",
                 "ToDo : 電話【見積送付】 <2009/05/01>"}));
    hits.clear();
    // One word in the content and the other in the project is no hit.
    EXPECT_EQ(ToDoKensaku(base.File("todo.dat"), Words("見積", "社"), hits), 0);
    EXPECT_EQ(ToDoKensaku(base.File("todo.dat"), Words("見積", "送"), hits), 2);
    EXPECT_EQ(Lines(hits),
              (V{"ToDo : 見積を送る【A社】 <2009/03/05>", "ToDo : 電話【見積送付】 <2009/05/01>"}));
}

TEST_F(Targets, ADamagedToDoStoreGivesEveryReadableItem) {
    const std::string todo = Block("2009/03/05", "見積1", "") +
                             Sj("#S#!\r\n \r\nnot a date\r\n見積2\r\n0\r\n\r\n2\r\n\r\n#E#!\r\n") +
                             Block("2009/03/07", "見積3", "");
    ASSERT_TRUE(base.Write("todo.dat", todo));
    const int count = ToDoKensaku(base.File("todo.dat"), Words("見積"), hits);
    EXPECT_EQ(count, static_cast<int>(hits.size()));  // the count is what was listed
    EXPECT_EQ(Lines(hits), (V{"ToDo : 見積1【】 <2009/03/05>", "ToDo : 見積3【】 <2009/03/07>"}));
    hits.clear();
    EXPECT_EQ(ToDoKensaku(base.File("none.dat"), Words("見積"), hits), 0);
}

// ---- Schedules ----

TEST_F(Targets, ScheduleDaysWithBothWordsListTheirLines) {
    ASSERT_TRUE(dat.Write(
        "200903.yo2",
        MonthBytes({{5, "会議 10:00\r\n昼食\r\n本社で"}, {6, "会議だけ"}, {7, "本社だけ"}})));
    const SearchPeriod p{2009, 3, 2009, 3};
    EXPECT_EQ(SearchSchedules(p, Words("会議", "本社"), hits), 2);
    EXPECT_EQ(Lines(hits), (V{"2009/ 3/ 5 :会議 10:00", "2009/ 3/ 5 :本社で"}));
    EXPECT_EQ(hits[0].kind, HitKind::Schedule);
    EXPECT_EQ(hits[0].year, 2009);
    EXPECT_EQ(hits[0].month, 3);
    EXPECT_EQ(hits[0].day, 5);
    EXPECT_EQ(CurYear, 2009);
    EXPECT_EQ(CurMonth, 3);
    EXPECT_EQ(CurDay, 1);
}

TEST_F(Targets, SchedulePeriodsInOrder) {
    for (int y = 2009; y <= 2010; ++y)
        for (int m = 1; m <= 12; ++m)
            ASSERT_TRUE(
                dat.Write(std::to_string(y) + (m < 10 ? "0" : "") + std::to_string(m) + ".yo2",
                          MonthBytes({{1, "x"}})));
    struct Case {
        SearchPeriod p;
        V lines;
    } cases[] = {
        {{2009, 10, 2009, 3}, {}},
        {{2009, 11, 2010, 2}, {"2009/11/ 1 :x", "2009/12/ 1 :x", "2010/ 1/ 1 :x", "2010/ 2/ 1 :x"}},
        {{2010, 12, 2010, 12}, {"2010/12/ 1 :x"}},
    };
    for (const Case& c : cases) {
        hits.clear();
        SearchSchedules(c.p, Words("x"), hits);
        EXPECT_EQ(Lines(hits), c.lines) << c.p.year << "/" << c.p.month;
    }
}

TEST_F(Targets, ScheduleWordsNextToAwkwardCharacters) {
    ASSERT_TRUE(dat.Write("200901.yo2",
                          MonthBytes({{1, "表示"}, {2, "ソフト"}, {3, "ｱｲｳ\\"}, {4, "アイA"}})));
    const std::pair<const char*, V> cases[] = {
        {"\\", {"2009/ 1/ 3 :ｱｲｳ\\"}}, {"A", {"2009/ 1/ 4 :アイA"}}, {"ｱ", {"2009/ 1/ 3 :ｱｲｳ\\"}},
        {"ア", {"2009/ 1/ 4 :アイA"}}, {"示", {"2009/ 1/ 1 :表示"}}, {"ソ", {"2009/ 1/ 2 :ソフト"}},
    };
    for (const auto& [word, lines] : cases) {
        hits.clear();
        SearchSchedules({2009, 1, 2009, 1}, Words(word), hits);
        EXPECT_EQ(Lines(hits), lines) << word;
    }
}

// Each place holds the characters under their second codes (8790 ≒, ED40 纊, EEEF ⅰ); the
// words are typed, so under their first codes (81E0, FA5C, FA40).
TEST_F(Targets, EitherCodeOfACharacterIsAHitEverywhere) {
    std::string month =
        "#S#!\r\na\x87\x90"
        "b\r\n#E#!\r\n#S#!\r\n\xED\x40\r\n#E#!\r\n"
        "#S#!\r\n\xEE\xEF\xFA\x40\r\n#E#!\r\n";
    for (int d = 4; d <= 31; ++d) month += "#S#!\r\n#E#!\r\n";
    ASSERT_TRUE(dat.Write("200901.yo2", month));
    ASSERT_TRUE(memo.Write("m.txt", "\x87\x90\r\n\xED\x40\r\n\xEE\xEF"));
    ASSERT_TRUE(memo.Write("\xED\x40.txt", "-"));
    ASSERT_TRUE(base.Write("todo.dat",
                           "#S#!\r\n \r\n2009/01/01\r\n\x87\x90\r\n0\r\n\xED\x40"
                           "\r\n2\r\n\r\n#E#!\r\n"));
    const std::pair<const char*, V> cases[] = {
        {"≒", {"メモ【m】:≒", "ToDo : ≒【纊】 <2009/01/01>", "2009/ 1/ 1 :a≒b"}},
        {"纊", {"メモ【m】:纊", "メモ【纊】", "ToDo : ≒【纊】 <2009/01/01>", "2009/ 1/ 2 :纊"}},
        {"ⅰ", {"メモ【m】:ⅰ", "2009/ 1/ 3 :ⅰⅰ"}},
        {"ⅰⅰ", {"2009/ 1/ 3 :ⅰⅰ"}},
    };
    for (const auto& [word, lines] : cases) {
        hits.clear();
        MemoKensaku(memo.Path(), Words(word), hits);
        ToDoKensaku(base.File("todo.dat"), Words(word), hits);
        SearchSchedules({2009, 1, 2009, 1}, Words(word), hits);
        EXPECT_EQ(Lines(hits), lines) << word;
    }
}

TEST_F(Targets, ScheduleDaysPastTheMonthsEndAreNotSearched) {
    ASSERT_TRUE(dat.Write("200902.yo2", MonthBytes({{28, "x"}, {30, "x"}})));
    SearchSchedules({2009, 2, 2009, 2}, Words("x"), hits);
    EXPECT_EQ(Lines(hits), V{"2009/ 2/28 :x"});
}

TEST_F(Targets, DamagedMonthFilesGiveWhatTheyHold) {
    FakeMessages messages;  // each is told once
    ASSERT_TRUE(dat.Write("200901.yo2", "#S#!\r\n" + Sj("会議") + "\r\n#E#!\r\ngarbage\xFF\r\n"));
    ASSERT_TRUE(dat.Write("200902.yo2", std::string("\x81\x81\x81", 3)));
    EXPECT_EQ(SearchSchedules({2009, 1, 2009, 2}, Words("会議"), hits), 1);
    EXPECT_EQ(Lines(hits), V{"2009/ 1/ 1 :会議"});
    EXPECT_EQ(messages.shown.size(), 2u);
}

// A search tells of a month or mark file it cannot read as loading the month would, once, and
// searches the months around it.
TEST_F(Targets, UnreadableFilesInThePeriodAreToldOnce) {
    FakeMessages messages;
    ReadFault fault;
    for (const char* name : {"200901.yo2", "200901.mkf", "200902.yo2", "200903.yo2"})
        ASSERT_TRUE(dat.Write(name, MonthBytes({{1, "x"}})));
    fault.paths = {dat.File("200901.mkf"), dat.File("200902.yo2")};
    EXPECT_EQ(SearchSchedules({2009, 1, 2009, 3}, Words("x"), hits), 2);
    SearchSchedules({2009, 1, 2009, 3}, Words("x"), hits);
    EXPECT_EQ(Lines(hits), (V{"2009/ 1/ 1 :x", "2009/ 3/ 1 :x", "2009/ 1/ 1 :x", "2009/ 3/ 1 :x"}));
    EXPECT_EQ(messages.Texts(),
              (std::vector<QString>{
                  platform::FromCp932(store::UnreadableMessage(dat.File("200901.mkf"))),
                  platform::FromCp932(store::UnreadableMessage(dat.File("200902.yo2")))}));
}

}  // namespace
