#include "unreadable_files.h"

#include <set>

#include "cp932.h"
#include "file_io.h"
#include "message_box.h"
#include "text_helpers.h"

namespace foundation {

namespace store {
namespace {

std::set<std::string>& Unreadable() {
    static std::set<std::string> paths;
    return paths;
}

bool g_tell = true;

std::set<std::string>& Told() {
    static std::set<std::string> paths;
    return paths;
}

}  // namespace

bool ReadForUpdate(const std::string& path, std::string& bytes) {
    switch (platform::ReadFile(path, bytes)) {
        case platform::ReadResult::Read:
        case platform::ReadResult::Missing:
            Unreadable().erase(path);
            return true;
        case platform::ReadResult::Unreadable:
            break;
    }
    Unreadable().insert(path);
    if (g_tell && Told().insert(path).second) MsgBox(UnreadableMessage(path), 48, "");
    return false;
}

bool ReadIniForUpdate(const std::string& path, platform::IniProfile& ini) {
    std::string bytes;
    const bool read = ReadForUpdate(path, bytes);
    ini = platform::IniProfile(path, bytes);
    return read;
}

bool SaveOrAskToRetry(const std::string& path, const std::function<bool()>& save,
                      const QString& question) {
    while (!save()) {
        if (IsUnreadable(path)) {
            MsgBox(NotSavedOverMessage(path), 48, "");
            return false;
        }
        const int answer = platform::MessageDlg(question, platform::MsgKind::Warning,
                                                {platform::kBtnRetry, platform::kBtnCancel});
        if (answer != platform::kBtnRetry) return false;
    }
    return true;
}

bool IsUnreadable(const std::string& path) {
    if (!Unreadable().count(path)) return false;
    if (platform::NothingToRead(path)) {
        // Gone (or moved away by the user): a new file harms nothing.
        Unreadable().erase(path);
        return false;
    }
    return true;
}

std::string UnreadableMessage(const std::string& path) {
    return Sj("ファイルを読み込めません。このファイルには保存しません。\r\n") + path;
}

std::string NotSavedOverMessage(const std::string& path) {
    return Sj("読み込めなかったファイルには保存できません。\r\n") + path;
}

void TellUnreadableFiles(bool on) { g_tell = on; }
bool TellingUnreadableFiles() { return g_tell; }

void ForgetUnreadableFiles() {
    Unreadable().clear();
    Told().clear();
}

}  // namespace store

}  // namespace foundation
