#include "launcher_command.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "cp932.h"
#include "fake_process.h"
#include "temp_folder.h"

using namespace accessories;

namespace {

// An executable file at dir/relative (UTF-8); its CP932 path.
std::string MakeProgram(const TempFolder& dir, const char* relative) {
    const QString path = QString::fromStdString(platform::Cp932ToUtf8(dir.Path())) + "/" +
                         QString::fromUtf8(relative);
    QDir().mkpath(path.section('/', 0, -2));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("#!/bin/sh\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return platform::ToCp932(path);
}

TEST(LaunchCommand, UnquotedPathsWithBlanksAndJapaneseNames) {
    TempFolder dir;
    const std::string spaced = MakeProgram(dir, "My Programs/run me");
    const std::string japanese = MakeProgram(dir, "予定 帳/実行");
    const QString root = platform::FromCp932(dir.Path());
    const struct {
        std::string line;
        QString program;
        QStringList args;
        QString workDir;
    } cases[] = {
        {spaced, root + "/My Programs/run me", {}, root + "/My Programs"},
        {spaced + " a \"b c\"", root + "/My Programs/run me", {"a", "b c"}, root + "/My Programs"},
        {japanese + " " + Sj("引数"),
         root + QString::fromUtf8("/予定 帳/実行"),
         {QString::fromUtf8("引数")},
         root + QString::fromUtf8("/予定 帳")},
        {"\"" + spaced + "\" -x", root + "/My Programs/run me", {"-x"}, root + "/My Programs"},
        {"notepad.exe", "notepad.exe", {}, ""},
        {"  gedit  /tmp/a.txt ", "gedit", {"/tmp/a.txt"}, ""},
        {"/no/such dir/prog x", "/no/such", {"dir/prog", "x"}, ""},
    };
    for (const auto& c : cases) {
        LaunchCommand command;
        ASSERT_TRUE(ParseLaunchCommand(c.line, command)) << c.line;
        EXPECT_EQ(command.program, c.program) << c.line;
        EXPECT_EQ(command.args, c.args) << c.line;
        EXPECT_EQ(command.workDir, c.workDir) << c.line;
    }
    LaunchCommand none;
    EXPECT_FALSE(ParseLaunchCommand("", none));
    EXPECT_FALSE(ParseLaunchCommand("   ", none));
}

TEST(LaunchCommand, StartsWithoutShellInTheProgramsFolder) {
    TempFolder dir;
    const std::string program = MakeProgram(dir, "a b/tool");
    FakeProcesses processes;
    // A command line far beyond 256 characters is passed whole.
    const std::string longArg(400, 'x');
    EXPECT_TRUE(StartLaunchCommand(program + " " + longArg));
    ASSERT_EQ(processes.starts.size(), 1u);
    EXPECT_EQ(processes.starts[0].program, platform::FromCp932(program));
    EXPECT_EQ(processes.starts[0].args, QStringList{QString::fromStdString(longArg)});
    EXPECT_EQ(processes.starts[0].workDir, platform::FromCp932(dir.Path()) + "/a b");
    EXPECT_FALSE(StartLaunchCommand(""));
    EXPECT_EQ(processes.starts.size(), 1u);
    const QString before = QDir::currentPath();
    EXPECT_EQ(QDir::currentPath(), before);
}

TEST(LaunchCommand, WindowsEditorNamesStartTheDesktopEditor) {
    TempFolder dir;
    const std::string editor = MakeProgram(dir, "editor");
    const QByteArray old = qgetenv("KOLVANE_TEXT_EDITOR");
    qputenv("KOLVANE_TEXT_EDITOR", platform::FromCp932(editor).toUtf8());
    FakeProcesses processes;
    for (const char* line : {"write.exe", "notepad.exe", "NOTEPAD.EXE memo.txt"}) {
        processes.starts.clear();
        EXPECT_TRUE(StartLaunchCommand(line)) << line;
        ASSERT_EQ(processes.starts.size(), 1u) << line;
        EXPECT_EQ(processes.starts[0].program, platform::FromCp932(editor)) << line;
    }
    EXPECT_EQ(processes.starts[0].args, QStringList{QStringLiteral("memo.txt")});
    EXPECT_EQ(LaunchIconProgram("write.exe"), platform::FromCp932(editor));
    EXPECT_EQ(LaunchFailureText("write.exe"),
              QString::fromUtf8("ﾌﾟﾛｸﾞﾗﾑ[write.exe]を起動できませんでした。\r\n"
                                "このﾃﾞｽｸﾄｯﾌﾟにﾃｷｽﾄｴﾃﾞｨﾀが見つかりません。"
                                "ﾌﾟﾛｸﾞﾗﾑﾗﾝﾁｬの設定で、使うﾌﾟﾛｸﾞﾗﾑを指定してください。"));
    qputenv("KOLVANE_TEXT_EDITOR", old);
}

}  // namespace
