#include "desktop_programs.h"

#include <gtest/gtest.h>

#include <cstdlib>

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

}  // namespace
