#include "open_memo_list.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "folders.h"
#include "globals.h"
#include "ini_profile.h"
#include "memo_names.h"
#include "open_memo_table.h"
#include "paths.h"
#include "unreadable_files.h"

using namespace foundation;

namespace accessories {

namespace {

constexpr const char* kSection = "MEMO";

// What the start made of the list.
struct Restored {
    std::string iniPath;
    std::string memoPath;
    bool read = false;                 // false: the file was there but could not be read
    std::vector<ListedMemo> unopened;  // in list order
};

std::optional<Restored>& LastRestore() {
    static std::optional<Restored> restored;
    return restored;
}

std::vector<ListedMemo> Listed(const platform::IniProfile& ini, const std::string& memoPath) {
    std::vector<ListedMemo> listed;
    const int ver = ini.ReadInteger(kSection, "VER", 1);
    auto resolve = [&](const std::string& value) {
        if (ver == 1) return MemoCategoryFolder(memoPath, "") + value;
        if (ver == 2) {
            std::string tidy;
            TidyPath(value, tidy);
            return tidy;
        }
        return value;
    };
    for (int n = 0; n < kMemoSlots; ++n) {
        const std::string bmp = ini.ReadString(kSection, "BMP" + std::to_string(n), "");
        if (!bmp.empty()) listed.push_back({resolve(bmp), true});
        const std::string txt = ini.ReadString(kSection, "TXT" + std::to_string(n), "");
        if (!txt.empty()) listed.push_back({resolve(txt), false});
    }
    return listed;
}

std::string Key(const ListedMemo& memo, int n) {
    return (memo.isBitmap ? "BMP" : "TXT") + std::to_string(n);
}

}  // namespace

std::string OpenMemoListPath() { return platform::JoinPath(BaseDir, "memoOp.Ini"); }

void RestoreOpenMemoList(const std::string& iniPath, const std::string& memoPath,
                         const std::function<bool(const ListedMemo&)>& open) {
    Restored restored;
    restored.iniPath = iniPath;
    restored.memoPath = memoPath;
    platform::IniProfile ini;
    restored.read = store::ReadIniForUpdate(iniPath, ini);
    LastRestore() = restored;
    if (!restored.read) return;
    for (const ListedMemo& memo : Listed(ini, memoPath)) {
        if (!open(memo)) LastRestore()->unopened.push_back(memo);
    }
}

void ForgetUnopenedMemo(const std::string& path) {
    if (!LastRestore()) return;
    std::vector<ListedMemo>& unopened = LastRestore()->unopened;
    unopened.erase(std::remove_if(unopened.begin(), unopened.end(),
                                  [&](const ListedMemo& m) { return m.path == path; }),
                   unopened.end());
}

bool WriteOpenMemoList(const std::string& iniPath) {
    platform::IniProfile ini;
    if (!store::ReadIniForUpdate(iniPath, ini)) return false;

    // The start could not read the list, so it opened none of the notes it holds now.
    std::vector<ListedMemo> kept;
    if (const std::optional<Restored>& r = LastRestore(); r && r->iniPath == iniPath) {
        kept = r->read ? r->unopened : Listed(ini, r->memoPath);
    }

    ini.EraseSection(kSection);
    ini.WriteInteger(kSection, "VER", 3);
    bool used[kMemoSlots] = {};
    int last = -1;
    // Every slot, the last one too: a note in slot 30 comes back like the others.
    for (int n = 0; n < kMemoSlots; ++n) {
        if (!MemoSlotInUse(n)) continue;
        const FUSEN_BK_KATA& slot = OpenMemoTable[n];
        ini.WriteString(kSection, Key({slot.FileName, slot.IsBitmap == 1}, n), slot.FileName);
        used[n] = true;
        last = n;
    }
    // After the open notes, so that they come back behind them; then in the gaps.
    std::vector<int> free;
    for (int n = last + 1; n < kMemoSlots; ++n) free.push_back(n);
    for (int n = 0; n < last; ++n)
        if (!used[n]) free.push_back(n);
    std::vector<std::string> listed;
    size_t next = 0;
    for (const ListedMemo& memo : kept) {
        if (next == free.size()) break;
        if (FindOpenMemo(memo.path) >= 0) continue;
        if (std::find(listed.begin(), listed.end(), memo.path) != listed.end()) continue;
        ini.WriteString(kSection, Key(memo, free[next++]), memo.path);
        listed.push_back(memo.path);
    }
    return ini.Save();
}

void ForgetRestoredMemoList() { LastRestore().reset(); }

}  // namespace accessories
