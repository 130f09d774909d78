#include "desktop_programs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cstdlib>

#include "open_document.h"
#include "temp_folder.h"

namespace {

TEST(DesktopPrograms, WindowsEditorsAreRecognised) {
    struct {
        const char* program;
        bool editor;
    } const cases[] = {
        {"notepad.exe", true}, {"NOTEPAD.EXE", true},   {"C:/Windows/notepad.exe", true},
        {"write.exe", true},   {"notepad2.exe", false}, {"gedit", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::IsWindowsTextEditor(QString::fromUtf8(c.program)), c.editor)
            << c.program;
}

TEST(DesktopPrograms, OtherProgramsKeepTheirArguments) {
    EXPECT_EQ(platform::DesktopCommand("/opt/my prog/run", {"a b", "c"}),
              (QStringList{"/opt/my prog/run", "a b", "c"}));
    EXPECT_TRUE(platform::DesktopCommand("", {"x"}).isEmpty());
}

TEST(DesktopPrograms, ChosenTextEditorComesFirst) {
    setenv("KOLVANE_TEXT_EDITOR", "/bin/true", 1);
    EXPECT_EQ(platform::DesktopCommand("notepad.exe", {"/tmp/ni 2004.txt"}),
              (QStringList{"/bin/true", "/tmp/ni 2004.txt"}));
    unsetenv("KOLVANE_TEXT_EDITOR");
}

// The desktop's opener gets the file's absolute path or the URL as it stands, and an opener
// that ends in failure (xdg-open without a browser) is told, not taken as opened.
TEST(OpenDocument, TheOpenersFailureIsTold) {
    TempFolder bin;
    const QString folder = platform::DiskPath(bin.Path());
    // A stand-in xdg-open: it notes its argument (whole, by a rename, so the test never reads it
    // half written) and ends with the status it was given, read before the test moves on.
    ASSERT_TRUE(bin.Write("xdg-open",
                          "#!/bin/sh\n"
                          "here=$(dirname \"$0\")\n"
                          "status=$(cat \"$here/status\")\n"
                          "printf '%s' \"$1\" > \"$here/argument.tmp\"\n"
                          "mv \"$here/argument.tmp\" \"$here/argument.$(cat \"$here/case\")\"\n"
                          "exit $status\n"));
    QFile::setPermissions(folder + "/xdg-open", QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", folder.toLocal8Bit() + ":" + path);

    const struct {
        QString target;
        int status;
        QString argument;
    } cases[] = {
        {"http://example.org/a?b=c&d", 0, "http://example.org/a?b=c&d"},
        {"mailto:a@example.org", 3, "mailto:a@example.org"},
        {"/tmp/a b/orsel.html", 0, "/tmp/a b/orsel.html"},
        {"orsel.html", 4, QDir::currentPath() + "/orsel.html"},
    };
    std::vector<int> told, expected;
    for (int i = 0; i < int(std::size(cases)); ++i) {
        SCOPED_TRACE(cases[i].target.toStdString());
        ASSERT_TRUE(bin.Write("case", std::to_string(i)));
        ASSERT_TRUE(bin.Write("status", std::to_string(cases[i].status)));
        ASSERT_TRUE(platform::OpenDocument(cases[i].target, [&told, i] { told.push_back(i); }));
        const std::string noted = "argument." + std::to_string(i);
        QElapsedTimer t;
        t.start();
        while (!bin.Exists(noted) && t.elapsed() < 10000) QThread::msleep(10);
        EXPECT_EQ(QString::fromStdString(bin.Read(noted)), cases[i].argument);
        if (cases[i].status != 0) expected.push_back(i);
        while (told.size() < expected.size() && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    qputenv("PATH", path);
    EXPECT_EQ(told, expected);
}

// The phone-book program: the user's own in the program folder first, else the one on PATH.
TEST(DesktopPrograms, ProgramInTheFolderOrOnPath) {
    TempFolder folder, bin;
    const QString own = platform::DiskPath(folder.Path()), onPath = platform::DiskPath(bin.Path());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", onPath.toLocal8Bit() + ":" + path);
    const auto place = [](const TempFolder& where, bool executable) {
        ASSERT_TRUE(where.Write("kolvane-tel", "#!/bin/sh\n"));
        QFile::setPermissions(platform::DiskPath(where.File("kolvane-tel")),
                              executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
    };
    const struct {
        const char* name;
        int inFolder, inPath;  // -1 none, 0 a plain file, 1 an executable
        QString found;
    } cases[] = {
        {"in the folder", 1, -1, own + "/kolvane-tel"},
        {"in both", 1, 1, own + "/kolvane-tel"},
        {"on PATH only", -1, 1, onPath + "/kolvane-tel"},
        {"not executable in the folder", 0, 1, onPath + "/kolvane-tel"},
        {"nowhere", -1, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(own + "/kolvane-tel");
        QFile::remove(onPath + "/kolvane-tel");
        if (c.inFolder >= 0) place(folder, c.inFolder == 1);
        if (c.inPath >= 0) place(bin, c.inPath == 1);
        EXPECT_EQ(platform::ProgramInFolderOrPath(own, "kolvane-tel"), c.found);
    }
    qputenv("PATH", path);
}

}  // namespace
