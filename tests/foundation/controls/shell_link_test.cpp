#include "shell_link.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace foundation;

namespace {

QString ReadText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<missing>");
    return QString::fromUtf8(f.readAll());
}

// The desktop's folders point into a temporary home for each test.
class ShellLinkTest : public ::testing::Test {
  protected:
    ShellLinkTest() {
        oldHome_ = qgetenv("HOME");
        oldConfig_ = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home_.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (home_.path() + "/config").toUtf8());
    }
    ~ShellLinkTest() override {
        qputenv("HOME", oldHome_);
        qputenv("XDG_CONFIG_HOME", oldConfig_);
    }
    QString Autostart() const { return home_.path() + "/config/autostart"; }

    QTemporaryDir home_;
    QByteArray oldHome_, oldConfig_;
};

TEST(ShellHotKeyWord, ModifiersMoveToTheShellBits) {
    const struct {
        uint16_t hotKey, word;
    } cases[] = {
        {0xC04B, 0x064B},  // Ctrl+Alt+K
        {0x2041, 0x0141},  // Shift+A
        {0x8070, 0x0470},  // Alt+F1
        {0x004A, 0x004A}, {0x0000, 0x0000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShellHotKeyWord(c.hotKey), c.word) << std::hex << c.hotKey;
}

TEST(QuoteExecArgument, ReservedCharactersAreQuotedAndEscaped) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"plain", "plain"},
        {"/opt/kolvane/Kolvane", "/opt/kolvane/Kolvane"},
        {"two words", "\"two words\""},
        {"a\"b", "\"a\\\"b\""},
        {"$HOME", "\"\\$HOME\""},
        {"back`tick", "\"back\\`tick\""},
        {"c:\\x", "\"c:\\\\x\""},
        {"50%", "50%%"},
        {"50% off", "\"50%% off\""},
        {"", "\"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuoteExecArgument(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(ShellLinkEntry, ExactTextWithQuotedProgramAndEscapedValues) {
    const struct {
        const char* file;
        const char* args;
        const char* description;
        const char* workDir;
        const char* expected;
    } cases[] = {
        {"/opt/kolvane/Kolvane", "", "Kolvane32", "/opt/kolvane",
         "[Desktop Entry]\nType=Application\nName=Kolvane32\n"
         "Exec=\"/opt/kolvane/Kolvane\"\nPath=/opt/kolvane\nTerminal=false\n"},
        // Blanks and Japanese names stay whole; "%" is doubled.
        {"/home/u/予定 帳/100%/Kolvane", "--tray \"a b\"", "Kolvane32", "/home/u/予定 帳/100%",
         "[Desktop Entry]\nType=Application\nName=Kolvane32\n"
         "Exec=\"/home/u/予定 帳/100%%/Kolvane\" --tray \"a b\"\nPath=/home/u/予定 帳/100%\n"
         "Terminal=false\n"},
        // A backslash is escaped for the quoting, then once more as a string value.
        {"/srv/a\\b/run", "", "", "",
         "[Desktop Entry]\nType=Application\nName=run\nExec=\"/srv/a\\\\\\\\b/run\"\n"
         "Terminal=false\n"},
    };
    for (const auto& c : cases) {
        TShellLink link;
        link.Arguments = QString::fromUtf8(c.args);
        link.Description = QString::fromUtf8(c.description);
        link.WorkDir = QString::fromUtf8(c.workDir);
        // Set after the others, as the settings dialog does: nothing is filled in.
        const QString before = link.Description;
        link.SetFileName(QString::fromUtf8(c.file));
        if (before.isEmpty()) link.Description.clear();
        if (QString::fromUtf8(c.workDir).isEmpty()) link.WorkDir.clear();
        EXPECT_EQ(link.EntryText(), QString::fromUtf8(c.expected)) << c.file;
    }
}

TEST(ShellLinkFileName, FillsOnlyWhatIsEmpty) {
    TShellLink fresh;
    fresh.SetFileName(QStringLiteral("/opt/tools/RUN.BAT"));
    EXPECT_EQ(fresh.Description, QStringLiteral("RUN"));
    EXPECT_EQ(fresh.WorkDir, QStringLiteral("/opt/tools"));

    TShellLink preset;
    preset.Description = QStringLiteral("Kolvane32");
    preset.WorkDir = QStringLiteral("/elsewhere");
    preset.SetFileName(QStringLiteral("/opt/tools/RUN.BAT"));
    EXPECT_EQ(preset.Description, QStringLiteral("Kolvane32"));
    EXPECT_EQ(preset.WorkDir, QStringLiteral("/elsewhere"));
}

TEST_F(ShellLinkTest, StartupEntryIsWrittenIntoAutostartAndRemovedAgain) {
    TShellLink link;
    link.Description = QStringLiteral("Kolvane32");
    link.LinkType = lnkStartup;
    link.SetFileName(QStringLiteral("/opt/tools/RUN.BAT"));
    link.CreateLink();
    const QString path = Autostart() + "/RUN.desktop";
    EXPECT_EQ(ReadText(path), link.EntryText());
    EXPECT_TRUE(QFileInfo(path).permissions() & QFileDevice::ExeOwner);

    // Written again over the old one.
    link.Arguments = QStringLiteral("-x");
    link.CreateLink();
    EXPECT_EQ(ReadText(path), link.EntryText());

    link.DeleteLink();
    EXPECT_FALSE(QFileInfo::exists(path));
    // A shortcut that is not there is no error.
    EXPECT_NO_THROW(link.DeleteLink());
}

TEST_F(ShellLinkTest, DesktopEntryGoesToTheDesktopFolder) {
    TShellLink link;
    link.LinkType = lnkDesktop;
    link.SetFileName(QStringLiteral("/opt/kolvane/Kolvane"));
    link.CreateLink();
    EXPECT_TRUE(QFileInfo::exists(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/Kolvane.desktop"));
    EXPECT_TRUE(QFileInfo::exists(home_.path() + "/Desktop/Kolvane.desktop"));
}

TEST_F(ShellLinkTest, EmptyFileNameLinksTheRunningProgram) {
    TShellLink link;
    link.LinkType = lnkStartup;
    link.CreateLink();
    const QFileInfo self(QCoreApplication::applicationFilePath());
    EXPECT_EQ(link.FileName(), self.filePath());
    EXPECT_EQ(link.Description, self.completeBaseName());
    EXPECT_EQ(link.WorkDir, self.absolutePath());
    EXPECT_TRUE(QFileInfo::exists(Autostart() + "/" + self.completeBaseName() + ".desktop"));
}

TEST_F(ShellLinkTest, FailuresAreReportedNotSilent) {
    TShellLink noFolder;
    noFolder.LinkType = lnkDrives;
    noFolder.SetFileName(QStringLiteral("/opt/kolvane/Kolvane"));
    try {
        noFolder.CreateLink();
        FAIL() << "no folder for drives";
    } catch (const EShellLinkError& e) {
        EXPECT_STREQ(e.what(), "Error in GetSpecialFolderLocation");
    }
    EXPECT_THROW(noFolder.DeleteLink(), EShellLinkError);

    // The autostart folder cannot be made: a file stands in its place.
    QDir().mkpath(home_.path() + "/config");
    QFile blocker(Autostart());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    TShellLink blocked;
    blocked.LinkType = lnkStartup;
    blocked.SetFileName(QStringLiteral("/opt/kolvane/Kolvane"));
    EXPECT_THROW(blocked.CreateLink(), EShellLinkError);
    QFile::remove(Autostart());

    // An entry that cannot be removed (a folder of that name).
    QDir().mkpath(Autostart() + "/Kolvane.desktop/inside");
    EXPECT_THROW(blocked.DeleteLink(), EShellLinkError);
}

TEST_F(ShellLinkTest, ValidatorAcceptsTheEntry) {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) GTEST_SKIP() << "desktop-file-validate is not installed";
    TShellLink link;
    link.Description = QStringLiteral("Kolvane32");
    link.WorkDir = QStringLiteral("/home/u/予定 帳");
    link.LinkType = lnkStartup;
    link.Arguments = QStringLiteral("--a \"b c\" 5%");
    link.SetFileName(QStringLiteral("/home/u/予定 帳/Kolvane"));
    link.CreateLink();
    QProcess p;
    p.start(validator, {Autostart() + "/Kolvane.desktop"});
    ASSERT_TRUE(p.waitForFinished());
    const QByteArray said = p.readAllStandardOutput() + p.readAllStandardError();
    EXPECT_EQ(p.exitCode(), 0) << said.toStdString();
    EXPECT_TRUE(said.trimmed().isEmpty()) << said.toStdString();
}

}  // namespace
