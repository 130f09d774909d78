#include "stored_font.h"

#include "cp932.h"

namespace foundation {

QFont ToQFont(const StoredFont& stored) {
    QFont font(platform::FromCp932(stored.Name));
    if (stored.Size > 0) font.setPointSize(stored.Size);
    font.setBold(stored.Bold);
    font.setItalic(stored.Italic);
    font.setUnderline(stored.Underline);
    font.setStrikeOut(stored.StrikeOut);
    return font;
}

StoredFont ToStoredFont(const QFont& font, uint32_t color) {
    StoredFont stored;
    stored.Name = platform::ToCp932(font.family());
    stored.Size =
        font.pointSize() > 0 ? font.pointSize() : static_cast<int32_t>(font.pointSizeF() + 0.5);
    stored.Color = color;
    stored.Bold = font.bold();
    stored.Italic = font.italic();
    stored.Underline = font.underline();
    stored.StrikeOut = font.strikeOut();
    return stored;
}

}  // namespace foundation
