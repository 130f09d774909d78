#include "diary.h"

#include <QStandardPaths>
#include <cstdio>

#include "cp932.h"
#include "desktop_programs.h"
#include "globals.h"
#include "paths.h"
#include "text_helpers.h"

using namespace foundation;

namespace schedule {

namespace {

const char* const kDefaultTemplate = "shiro.tx";
const char* const kDefaultEditor = "notepad.exe";

void Warn(const char* utf8) { MsgBox(Sj(utf8), 48, ""); }

// A program the desktop can start: a file, a name on PATH, or a Windows editor name that the
// desktop stands in for.
bool ProgramExists(const std::string& program) {
    if (platform::FileExists(program)) return true;
    const QString name = platform::DiskPath(program);
    if (platform::IsWindowsTextEditor(name)) return true;
    return !QStandardPaths::findExecutable(name).isEmpty();
}

}  // namespace

std::string DiaryFileName(const std::string& folder, const std::string& templatePath, int year,
                          int month, int day) {
    std::string ext = "txt";
    if (!templatePath.empty()) ExtOf(templatePath, ext);
    char date[32];
    std::snprintf(date, sizeof date, "ni%.4d%.2d%.2d", year, month, day);
    return platform::JoinPath(folder, std::string(date) + "." + ext);
}

bool OpenDiary(int year, int month, int day) {
    const std::string& folder = Settings.ni_dir;
    const std::string& program = Settings.ni_prg;
    const std::string& templ = Settings.ni_tmp;
    if (!platform::IsFolder(folder)) {
        Warn("日記を格納するディレクトリが見つかりません。");
        return false;
    }
    if (!program.empty() && program != kDefaultEditor && !ProgramExists(program)) {
        Warn("日記を編集するプログラムが見つかりません。");
        return false;
    }
    if (!templ.empty() && !platform::FileExists(templ)) {
        Warn("日記のテンプレートファイルが見つかりません。");
        return false;
    }
    const std::string source = templ.empty() ? platform::JoinPath(AppDir, kDefaultTemplate) : templ;
    const std::string file = DiaryFileName(folder, templ, year, month, day);
    if (!platform::FileExists(file)) {
        // Without its template a new diary would open as an empty file nobody asked for.
        if (!platform::FileExists(source)) {
            Warn("日記のテンプレートファイルが見つかりません。");
            return false;
        }
        FileCopy(source, file);
    }
    const QString editor = platform::DiskPath(program.empty() ? kDefaultEditor : program);
    // The path is one argument: blanks and Japanese names reach the editor whole.
    return platform::StartDesktopProgram(editor, {platform::DiskPath(file)});
}

}  // namespace schedule
