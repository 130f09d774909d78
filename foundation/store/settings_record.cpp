#include "settings_record.h"

#include "cp932.h"
#include "paths.h"

namespace foundation {

std::string CutText255(const std::string& text) {
    if (text.size() <= 255) return text;
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + 1;
        if (platform::IsLeadByte(static_cast<unsigned char>(text[end])) && next < text.size())
            ++next;
        else if (text[end] == platform::kPathMark)
            next = end + platform::kPathMarkLength;
        if (next > 255) break;
        end = next;
    }
    return text.substr(0, end);
}

StoredFont INIT::DefaultMemoFont() {
    StoredFont f;
    f.Name = Sj("ＭＳ Ｐゴシック");
    f.Size = 9;
    f.Color = 0xFF000008u;  // system window-text colour
    return f;
}

}  // namespace foundation
