#include "text_helpers.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStyle>
#include <QTimeZone>
#include <climits>

#include "color.h"
#include "cp932.h"
#include "fake_clock.h"
#include "fake_messages.h"
#include "message_box.h"
#include "paths.h"
#include "temp_folder.h"

using namespace foundation;

namespace {

std::string Hex(const std::string& s) {
    static const char* d = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : s) {
        out += d[c >> 4];
        out += d[c & 15];
        out += ' ';
    }
    return out;
}

}  // namespace

TEST(TextHelpers, SplitToken) {
    struct Case {
        std::string text;
        char delimiter;
        std::string head, rest;
    } cases[] = {
        {"", ',', "", ""},
        {",a,b", ',', "", "a,b"},
        {"a", ',', "a", ""},
        {"a,", ',', "a", ""},
        {"a,,b", ',', "a", ",b"},
        {"ab|cd|ef", '|', "ab", "cd|ef"},
        {"12:30", ':', "12", "30"},
        {"x y z", ' ', "x", "y z"},
        {"x\r\ny", '\r', "x", "\ny"},
        {Sj("ポ|x"), '|', Sj("ポ"), "x"},  // 0x83 0x7C: the trail byte is no bar
        {Sj("ポポ"), '|', Sj("ポポ"), ""},
        {Sj("表\\a"), '\\', Sj("表"), "a"},  // 0x95 0x5C
        {Sj("ﾎﾟｲﾝﾄ,1"), ',', Sj("ﾎﾟｲﾝﾄ"), "1"},
        {"ab\x83", ',', "ab\x83", ""},  // lone lead byte at the end
        {"a,\x83", ',', "a", "\x83"},
        {"\x83,b", ',', "\x83", "b"},  // a lead byte before a non-trail byte is one byte
    };
    for (const auto& c : cases) {
        std::string head = "old", rest = "old";
        SplitToken(c.text, c.delimiter, head, rest);
        EXPECT_EQ(head, c.head) << Hex(c.text);
        EXPECT_EQ(rest, c.rest) << Hex(c.text);
    }
}

TEST(TextHelpers, SplitTokenWalksALineInPlace) {
    std::string rest = "1,,3,";
    std::vector<std::string> fields;
    while (!rest.empty()) {
        std::string head;
        SplitToken(rest, ',', head, rest);
        fields.push_back(head);
    }
    EXPECT_EQ(fields, (std::vector<std::string>{"1", "", "3"}));
}

TEST(TextHelpers, IsDoubleByteAt) {
    struct Case {
        std::string text;
        int position;
        bool expected;
    } cases[] = {
        {Sj("あ"), 1, true},    {Sj("あ"), 2, false},  // the last byte
        {Sj("aあ"), 1, false},  {Sj("aあ"), 2, true},   {"", 1, false},
        {"ab", 0, false},       {"ab", -3, false},      {"\x81\x40", 1, true},
        {"\x9F\xFC", 1, true},  {"\xE0\x40", 1, true},  {"\xFC\x80", 1, true},
        {"\x80\x40", 1, false}, {"\xA0\x40", 1, false}, {"\xFD\x40", 1, false},
        {"\x81\x3F", 1, false}, {"\x81\x7F", 1, false}, {"\x81\xFD", 1, false},
        {Sj("ｱｲ"), 1, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsDoubleByteAt(c.text, c.position), c.expected) << Hex(c.text) << c.position;
}

TEST(TextHelpers, JCharCount) {
    struct Case {
        std::string text;
        int count;
    } cases[] = {
        {"abc", 3}, {Sj("日本"), 2}, {Sj("aあｱ"), 3}, {Sj("ﾊﾟ"), 2}, {"\x83", 1}, {"a\x83", 2},
    };
    for (const auto& c : cases) EXPECT_EQ(JCharCount(c.text), c.count) << Hex(c.text);
}

TEST(TextHelpers, NormalizeJTextFullWidthTable) {
    struct Case {
        unsigned code;
        std::string half;
    } cases[] = {
        {0x8140, " "},
        {0x8143, ","},
        {0x8144, "."},
        {0x8146, ":"},
        {0x8147, ";"},
        {0x8148, "?"},
        {0x8149, "!"},
        {0x814F, "^"},
        {0x815E, "/"},
        {0x8160, "~"},
        {0x8162, "|"},
        {0x8165, "'"},
        {0x8166, "'"},
        {0x818C, "'"},
        {0x8167, "\""},
        {0x8168, "\""},
        {0x818D, "\""},
        {0x8169, "("},
        {0x816A, ")"},
        {0x816D, "["},
        {0x816E, "]"},
        {0x816F, "{"},
        {0x8170, "}"},
        {0x817B, "+"},
        {0x817C, "-"},
        {0x8181, "="},
        {0x81AC, "="},
        {0x8183, "<"},
        {0x8184, ">"},
        {0x818F, "\\"},
        {0x8190, "$"},
        {0x8193, "%"},
        {0x8194, "#"},
        {0x8195, "&"},
        {0x8196, "*"},
        {0x8197, "@"},
        {0x824F, "0"},
        {0x8254, "5"},
        {0x8258, "9"},
        {0x8260, "A"},
        {0x8279, "Z"},
        {0x8281, "A"},
        {0x828D, "M"},
        {0x829A, "Z"},
        // Neighbours that have no half-width form stay whole.
        {0x8141, "\x81\x41"},
        {0x8145, "\x81\x45"},
        {0x824E, "\x82\x4E"},
        {0x8259, "\x82\x59"},
        {0x829B, "\x82\x9B"},
        {0x8280, "\x82\x80"},
        {0x817D, "\x81\x7D"},
        {0x8191, "\x81\x91"},
    };
    for (const auto& c : cases) {
        std::string in{static_cast<char>(c.code >> 8), static_cast<char>(c.code & 0xFF)};
        std::string out;
        NormalizeJText(in, out);
        EXPECT_EQ(out, c.half) << std::hex << c.code;
    }
}

TEST(TextHelpers, NormalizeJText) {
    struct Case {
        std::string text, result;
    } cases[] = {
        {Sj("ﾊﾟｿｺﾝ"), Sj("パソコン")},
        {Sj("ｶﾞ"), Sj("ガ")},
        {Sj("ｱﾞ"), Sj("ア")},  // no voiced form: the mark is dropped
        {Sj("ｶﾟ"), Sj("カ")},
        {Sj("ｰﾞ"), Sj("ー")},
        {Sj("ｳﾞ"), Sj("ヴ")},
        {Sj("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞ"), Sj("ガギグゲゴザジズゼゾ")},
        {Sj("ﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞ"), Sj("ダヂヅデドバビブベボ")},
        {Sj("ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"), Sj("パピプペポ")},
        {Sj("｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰ"), Sj("。「」、・ヲァィゥェォャュョッー")},
        {Sj("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉ"), Sj("アイウエオカキクケコサシスセソタチツテトナニヌネノ")},
        {Sj("ﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ"), Sj("ハヒフヘホマミムメモヤユヨラリルレロワン")},
        {Sj("ﾞ"), "\xDE"},  // lone marks are copied
        {Sj("ﾟx"), "\xDFX"},
        {Sj("ｱﾟﾞ"), Sj("ア") + "\xDE"},
        {Sj("ａｂｃ１２３"), "ABC123"},
        {"abc", "ABC"},
        {"aZ09-_", "AZ09-_"},
        {Sj("＞"), ">"},
        {Sj("漢字ポ表"), Sj("漢字ポ表")},
        {Sj("ｶ"), Sj("カ")},
        {"x\x83", "X\x83"},  // lone lead byte at the end
        {"\x83"
         "a",
         "\x83"
         "a"},  // the trail byte 'a' is not folded
        {"\xA0\xDE\xE0", "\xA0\xDE\xE0"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string out = "old";
        NormalizeJText(c.text, out);
        EXPECT_EQ(out, c.result) << Hex(c.text);
    }
}

TEST(TextHelpers, NormalizeNumText) {
    struct Case {
        std::string text;
        std::string result;
        bool ok;
    } cases[] = {
        {Sj("－１２．５円"), "-12.5", true},
        {".", "0.", true},
        {"-", "-", true},
        {"1+2", "12", true},
        {"1.2.3", "1.23", true},
        {"abc", "0", false},
        {"", "0", false},
        {" 1 2 ", "12", true},
        {Sj("　１"), "1", true},
        {"-.5", "-0.5", true},
        {Sj("＋５"), "+5", true},
        {"--3", "-", true},
        {"-1-2", "-1", true},
        {"1+-2", "1", true},
        {Sj("１，０００"), "1", true},
        {"12a3", "12", true},
        {Sj("円"), "0", false},
    };
    for (const auto& c : cases) {
        std::string out = "old";
        EXPECT_EQ(NormalizeNumText(c.text, out), c.ok) << Hex(c.text);
        EXPECT_EQ(out, c.result) << Hex(c.text);
    }
}

TEST(TextHelpers, MsgBox) {
    using platform::MsgKind;
    const QString plain = platform::ApplicationTitle();
    struct Case {
        int code;
        MsgKind kind;
        QString caption;
        std::vector<int> buttons;
        int answer;
        int result;
    } cases[] = {
        {0, MsgKind::Plain, plain, {1}, 1, 1},
        {1, MsgKind::Plain, plain, {1, 2}, 2, 2},
        {2, MsgKind::Plain, plain, {3, 4, 5}, 5, 5},
        {3, MsgKind::Plain, plain, {6, 7, 2}, 7, 7},
        {4, MsgKind::Plain, plain, {6, 7}, 6, 6},
        {5, MsgKind::Plain, plain, {4, 2}, 4, 4},
        {16 + 4, MsgKind::Error, QStringLiteral("エラー"), {6, 7}, 7, 7},
        {32 + 3, MsgKind::Confirmation, QStringLiteral("確認"), {6, 7, 2}, 2, 2},
        {52, MsgKind::Warning, QStringLiteral("警告"), {6, 7}, 6, 6},
        {64, MsgKind::Information, QStringLiteral("情報"), {1}, 1, 1},
        {64 + 2, MsgKind::Information, QStringLiteral("情報"), {3, 4, 5}, 3, 3},
        {3, MsgKind::Plain, plain, {6, 7, 2}, 0, 1},  // closed without a button
        {1, MsgKind::Plain, plain, {1, 2}, 8, 1},
        {1, MsgKind::Plain, plain, {1, 2}, -1, 1},
    };
    for (const auto& c : cases) {
        FakeMessages messages;
        messages.answers.push_back(c.answer);
        EXPECT_EQ(MsgBox(Sj("保存しますか"), c.code, Sj("無視される題")), c.result) << c.code;
        ASSERT_EQ(messages.shown.size(), 1u) << c.code;
        const auto& r = messages.shown.front();
        EXPECT_EQ(r.kind, c.kind) << c.code;
        EXPECT_EQ(r.caption, c.caption) << c.code;
        EXPECT_EQ(r.text, QStringLiteral("保存しますか")) << c.code;
        EXPECT_EQ(r.buttons, c.buttons) << c.code;
    }
}

TEST(TextHelpers, MsgBoxWithoutButtonSetShowsNothing) {
    for (int code : {6, 7, 15, 16 + 6, 48 + 10, 64 + 16, 200, -1, -48}) {
        FakeMessages messages;
        messages.answers.push_back(2);
        EXPECT_EQ(MsgBox("x", code, ""), 1) << code;
        EXPECT_TRUE(messages.shown.empty()) << code;
    }
}

TEST(TextHelpers, StrToIntZero) {
    struct Case {
        std::string text;
        int value;
    } cases[] = {
        {"12", 12},
        {"  -12", -12},
        {"+7", 7},
        {"007", 7},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", 0},
        {"-2147483649", 0},
        {"99999999999999999999", 0},
        {"", 0},
        {" ", 0},
        {"-", 0},
        {"- 5", 0},
        {"12 ", 0},
        {"1a", 0},
        {"1.5", 0},
        {"0x10", 0},
        {"$10", 0},
        {Sj("１２"), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(StrToIntZero(c.text), c.value) << c.text;
}

TEST(TextHelpers, SplitExtAndExtOf) {
    struct Case {
        std::string name, extension, base;
    } cases[] = {
        {"note.txt", "txt", "note"},
        {"a.b.c", "c", "a.b"},
        {"C:\\memo.d\\note", "d\\note", "C:\\memo"},  // the dot of a folder counts
        {"/home/x.d/note", "d/note", "/home/x"},
        {"noext", "", "noext"},
        {"ab.", "", "ab"},
        {".bashrc", "bashrc", ""},
        {"ab", "", "ab"},
        {"a.", "", "a."},  // too short to split
        {Sj("表.txt"), "txt", Sj("表")},
    };
    for (const auto& c : cases) {
        std::string extension, base = "old";
        SplitExt(c.name, extension, base);
        EXPECT_EQ(extension, c.extension) << c.name;
        EXPECT_EQ(base, c.base) << c.name;
        std::string only = "old";
        ExtOf(c.name, only);
        EXPECT_EQ(only, c.extension) << c.name;
    }
    std::string extension = "old", base;
    SplitExt("noext", extension, base);
    EXPECT_EQ(extension, "");
}

TEST(TextHelpers, ExePathOf) {
    struct Case {
        std::string commandLine, path;
    } cases[] = {
        {"c:\\tools\\x.exe /a", "C:\\TOOLS\\X.EXE "},
        {"x.exe", "X.EXE"},
        {"a.bat", ""},
        {"\"c:\\a b\\x.exe\" /s", "\"C:\\A B\\X.EXE\""},
        {".exe", ".EXE"},
        {".ex", ""},
        {"", ""},
        {"notepad.EXE memo.txt", "NOTEPAD.EXE "},
        {"a\x83"
         "e.exe",
         "A\x83"
         "e.EXE"},  // the trail byte stays as it is
        {"\x83"
         "a.exe",
         "\x83"
         "a.EXE"},
        {Sj("ｱ.exe"), Sj("ｱ.EXE")},
        {Sj("x.exeあ"), Sj("X.EXEあ")},  // a whole character after it
        {Sj("表\\x.exe"), Sj("表\\X.EXE")},
    };
    for (const auto& c : cases) {
        std::string path = "old";
        ExePathOf(c.commandLine, path);
        EXPECT_EQ(path, c.path) << Hex(c.commandLine);
    }
}

TEST(TextHelpers, ColorToRGBBytes) {
    uint8_t r = 0, g = 0, b = 0;
    ColorToRGBBytes(0x00336699u, r, g, b);
    EXPECT_EQ(r, 0x99);
    EXPECT_EQ(g, 0x66);
    EXPECT_EQ(b, 0x33);
    uint32_t window = platform::ResolveColor(platform::SystemColor(5));
    ColorToRGBBytes(platform::SystemColor(5), r, g, b);
    EXPECT_EQ(r, window & 0xFF);
    EXPECT_EQ(g, (window >> 8) & 0xFF);
    EXPECT_EQ(b, (window >> 16) & 0xFF);
}

TEST(TextHelpers, FileCopy) {
    TempFolder dir;
    const std::string bytes("a\0b\r\n\xFF\x83\x7C\0", 9);
    ASSERT_TRUE(dir.Write("src.bin", bytes));
    ASSERT_TRUE(dir.Write("dst.bin", "a longer old content that must go"));
    EXPECT_TRUE(FileCopy(dir.File("src.bin"), dir.File("dst.bin")));
    EXPECT_EQ(dir.Read("dst.bin"), bytes);

    ASSERT_TRUE(dir.Write("empty", ""));
    EXPECT_TRUE(FileCopy(dir.File("empty"), dir.File(Sj("写し"))));
    EXPECT_TRUE(dir.Exists(Sj("写し")));
    EXPECT_EQ(dir.Read(Sj("写し")), "");

    EXPECT_FALSE(FileCopy(dir.File("missing"), dir.File("out")));
    EXPECT_FALSE(dir.Exists("out"));
    EXPECT_FALSE(FileCopy(dir.Path(), dir.File("out")));  // a folder as source
    EXPECT_FALSE(dir.Exists("out"));
    ASSERT_TRUE(QDir(platform::DiskPath(dir.Path())).mkdir("sub"));
    EXPECT_FALSE(FileCopy(dir.File("src.bin"), dir.File("sub")));  // a folder as destination
    EXPECT_FALSE(FileCopy(dir.File("src.bin"), dir.File("none/x")));
    EXPECT_FALSE(FileCopy("", dir.File("out")));
}

TEST(TextHelpers, FileAgeDays) {
    FakeClock clock;
    TempFolder dir;
    ASSERT_TRUE(dir.Write("f.txt", "x"));
    auto setMtime = [&](int y, int mo, int d, int h, int mi, int s) {
        QFile f(platform::DiskPath(dir.File("f.txt")));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc()),
                                  QFileDevice::FileModificationTime));
    };
    struct Case {
        int fy, fmo, fd, fh, fmi, fs;  // modification time
        int ny, nmo, nd, nh, nmi, ns;  // now
        int days;
    } cases[] = {
        {2004, 5, 1, 9, 0, 0, 2004, 5, 1, 9, 0, 0, 0},
        {2004, 5, 1, 9, 0, 0, 2004, 5, 3, 8, 59, 59, 1},
        {2004, 5, 1, 9, 0, 0, 2004, 5, 3, 9, 0, 0, 2},
        {2004, 5, 1, 23, 59, 59, 2004, 5, 2, 0, 0, 1, 0},
        {2003, 12, 31, 12, 0, 0, 2004, 3, 1, 12, 0, 0, 61},  // across a leap February
        {2003, 2, 28, 0, 0, 0, 2003, 3, 1, 0, 0, 0, 1},
        {1999, 1, 1, 0, 0, 0, 2004, 1, 1, 0, 0, 0, 1826},
        {2004, 5, 2, 0, 0, 0, 2004, 5, 1, 12, 0, 0, 0},  // half a day ahead truncates to 0
        {2004, 5, 4, 0, 0, 0, 2004, 5, 1, 0, 0, 0, -3},
    };
    for (const auto& c : cases) {
        setMtime(c.fy, c.fmo, c.fd, c.fh, c.fmi, c.fs);
        clock.Set(c.ny, c.nmo, c.nd, c.nh, c.nmi, c.ns);
        EXPECT_EQ(FileAgeDays(dir.File("f.txt")), c.days) << c.fy << "-" << c.fmo << "-" << c.fd;
    }
    EXPECT_EQ(FileAgeDays(dir.File("missing")), -1);
    EXPECT_EQ(FileAgeDays(dir.Path()), -1);
    EXPECT_EQ(FileAgeDays(""), -1);
}

namespace {

QImage IconImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace

TEST(TextHelpers, AddExeIconAddsExactlyOneIconPerCall) {
    const std::string self = platform::FromDiskPath(QCoreApplication::applicationFilePath());
    const std::string lines[] = {"",
                                 "   ",
                                 "/no/such/program -x",
                                 self,
                                 "\"" + self + "\" --flag",
                                 "sh -c true",
                                 "notepad.exe memo.txt"};
    ImageList images;
    for (const auto& line : lines) {
        size_t before = images.size();
        AddExeIcon(line, images);
        ASSERT_EQ(images.size(), before + 1) << line;
        EXPECT_FALSE(images.back().isNull()) << line;
    }
    // A program that is not there shows the question icon; one that is there does not.
    QImage question = IconImage(QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion));
    EXPECT_EQ(IconImage(images[2]), question);
    EXPECT_NE(IconImage(images[3]), question);
}

TEST(TextHelpers, AddExeIconTakesTheIconOfTheProgramsDesktopFile) {
    TempFolder dir;
    QDir root(platform::DiskPath(dir.Path()));
    ASSERT_TRUE(root.mkpath("data/applications/sub"));
    ASSERT_TRUE(root.mkpath("bin"));
    auto makeProgram = [&](const QString& name) {
        QString path = root.filePath("bin/" + name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    };
    auto makeIcon = [&](const QString& name, QColor color) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(color);
        QString path = root.filePath(name);
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    };
    auto makeDesktop = [&](const QString& name, const QString& exec, const QString& icon) {
        QFile f(root.filePath("data/applications/" + name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("[Desktop Entry]\nType=Application\nName=x\nExec=" + exec + "\nIcon=" + icon +
                 "\n[Desktop Action other]\nExec=/bin/false\n")
                    .toUtf8());
    };
    const QString byPath = makeProgram(QStringLiteral("予定帳"));
    const QString byName = makeProgram(QStringLiteral("kv_byname"));
    makeProgram(QStringLiteral("kv_named"));
    makeDesktop(QStringLiteral("a.desktop"), "\"" + byPath + "\" %f", makeIcon("red.png", Qt::red));
    makeDesktop(QStringLiteral("sub/b.desktop"), QStringLiteral("kv_byname %U"),
                makeIcon("green.png", Qt::green));
    makeDesktop(QStringLiteral("kv_named.desktop"), QStringLiteral("env X=1 other"),
                makeIcon("blue.png", Qt::blue));

    ScopedEnv home("XDG_DATA_HOME", root.filePath("data").toLocal8Bit());
    ScopedEnv path("PATH", (root.filePath("bin") + ":" + qgetenv("PATH")).toLocal8Bit());
    struct Case {
        std::string commandLine;
        QColor color;
    } cases[] = {
        {platform::ToCp932("\"" + byPath + "\" " + QStringLiteral("メモ.txt")), Qt::red},
        {"kv_byname -a", Qt::green},
        {platform::ToCp932(byName), Qt::green},
        {"kv_named", Qt::blue},
    };
    for (const auto& c : cases) {
        ImageList images;
        AddExeIcon(c.commandLine, images);
        ASSERT_EQ(images.size(), 1u);
        EXPECT_EQ(IconImage(images[0]).pixelColor(8, 8), c.color) << c.commandLine;
    }
}
