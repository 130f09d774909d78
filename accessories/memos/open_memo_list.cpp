#include "open_memo_list.h"

#include "folders.h"
#include "globals.h"
#include "ini_profile.h"
#include "memo_names.h"
#include "open_memo_table.h"
#include "paths.h"

namespace {
constexpr const char* kSection = "MEMO";
}  // namespace

std::string OpenMemoListPath() { return platform::JoinPath(BaseDir, "memoOp.Ini"); }

bool WriteOpenMemoList(const std::string& iniPath) {
    platform::IniProfile ini(iniPath);
    ini.EraseSection(kSection);
    ini.WriteInteger(kSection, "VER", 3);
    // Every slot, the last one too: a note in slot 30 comes back like the others.
    for (int n = 0; n < kMemoSlots; ++n) {
        if (!MemoSlotInUse(n)) continue;
        const FUSEN_BK_KATA& slot = OpenMemoTable[n];
        ini.WriteString(kSection, (slot.IsBitmap == 1 ? "BMP" : "TXT") + std::to_string(n),
                        slot.FileName);
    }
    return ini.Save();
}

std::vector<ListedMemo> ReadOpenMemoList(const std::string& iniPath, const std::string& memoPath) {
    std::vector<ListedMemo> listed;
    const platform::IniProfile ini(iniPath);
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
