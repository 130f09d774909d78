#include "combo_history.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>

#include "cp932.h"
#include "temp_folder.h"

using namespace schedule;

namespace {

std::vector<std::string> Numbered(int count) {
    std::vector<std::string> out;
    for (int i = 1; i <= count; ++i) out.push_back("e" + std::to_string(i));
    return out;
}

std::string Lines(const std::vector<std::string>& entries) {
    std::string out;
    for (const auto& e : entries) out += e + "\r\n";
    return out;
}

TEST(History, ReadingStopsAtTheFirstEmptyLineOrAfter31) {
    struct Case {
        std::string bytes;
        std::vector<std::string> entries;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a"}},
        {"\r\na\r\n", {}},
        {Lines(Numbered(40)), Numbered(31)},
        {Sj("会議\r\n表示\r\n"), {Sj("会議"), Sj("表示")}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseHistory(c.bytes), c.entries) << c.bytes;
}

TEST(History, WritingKeeps30EntriesEachOnceAndNoneEmpty) {
    struct Case {
        std::vector<std::string> entries;
        std::string bytes;
    } cases[] = {
        {{}, ""},
        {{"a", "b"}, "a\r\nb\r\n"},
        {{"a", "", "b"}, "a\r\nb\r\n"},  // an empty entry would end the list on reading
        {{"a", "b", "a", "c"}, "a\r\nb\r\nc\r\n"},
        {Numbered(35), Lines(Numbered(30))},
        {{"x", "x", "x"}, "x\r\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatHistory(c.entries), c.bytes);
    // Repeats and empties do not use up the 30 places.
    std::vector<std::string> padded{"", "e1", "e1"};
    for (const auto& e : Numbered(30)) padded.push_back(e);
    EXPECT_EQ(FormatHistory(padded), Lines(Numbered(30)));
}

class HistoryBox : public ::testing::Test {
  protected:
    QComboBox box;
    TempFolder dir;
    void SetUp() override {
        box.setEditable(true);
        box.setInsertPolicy(QComboBox::NoInsert);
    }
    std::vector<std::string> Items() const {
        std::vector<std::string> out;
        for (int i = 0; i < box.count(); ++i) out.push_back(platform::ToCp932(box.itemText(i)));
        return out;
    }
};

TEST_F(HistoryBox, TheNewestGoesFirstAndItsOlderCopyGoes) {
    box.addItems({"a", "b", "a", "c"});
    box.setEditText(QStringLiteral("a"));
    PushComboHistory(&box);
    EXPECT_EQ(Items(), (std::vector<std::string>{"a", "b", "a", "c"}));  // only the first copy
    box.setEditText(QStringLiteral("c"));
    PushComboHistory(&box);
    EXPECT_EQ(Items(), (std::vector<std::string>{"c", "a", "b", "a"}));
    EXPECT_EQ(box.currentText(), QStringLiteral("c"));
    box.setEditText(QString());
    PushComboHistory(&box);
    EXPECT_EQ(box.count(), 4);
}

TEST_F(HistoryBox, APasteIsRememberedAsItStands) {
    box.addItems({"a"});
    box.setEditText(QStringLiteral("typing"));
    InsertComboHistory(&box, "a");
    InsertComboHistory(&box, "");
    EXPECT_EQ(Items(), (std::vector<std::string>{"a", "a"}));
    EXPECT_EQ(box.currentText(), QStringLiteral("typing"));
}

TEST_F(HistoryBox, FilesRoundTripAndFailuresLeaveThingsAlone) {
    ASSERT_TRUE(dir.Write("yo.txt", Sj("会議\r\n打合せ\r\n")));
    box.addItem(QStringLiteral("old"));
    EXPECT_EQ(LoadComboHistory(dir.File("yo.txt"), &box), 0);
    EXPECT_EQ(Items(), (std::vector<std::string>{"old", Sj("会議"), Sj("打合せ")}));
    EXPECT_EQ(LoadComboHistory(dir.File("none.txt"), &box), 1);
    EXPECT_EQ(box.count(), 3);

    EXPECT_EQ(SaveComboHistory(dir.File("ken.txt"), &box), 0);
    EXPECT_EQ(dir.Read("ken.txt"), Sj("old\r\n会議\r\n打合せ\r\n"));
    EXPECT_EQ(SaveComboHistory(dir.File("missing/ken.txt"), &box), 1);

    // Entries not typed again keep their codes, also one chosen again; a pasted entry that
    // CP932 cannot hold is left out rather than written altered.
    ASSERT_TRUE(dir.Write("old.txt", "\xED\x40\r\n\x85\x40\r\n"));
    QComboBox kept;
    kept.setEditable(true);
    EXPECT_EQ(LoadComboHistory(dir.File("old.txt"), &kept), 0);
    InsertComboHistory(&kept, U("😀"));
    kept.setEditText(kept.itemText(2));
    PushComboHistory(&kept);
    EXPECT_EQ(SaveComboHistory(dir.File("old.txt"), &kept), 0);
    EXPECT_EQ(dir.Read("old.txt"), "\x85\x40\r\n\xED\x40\r\n");
}

}  // namespace
