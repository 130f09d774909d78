#include "font_spec.h"

#include "cp932.h"

QFont ToQFont(const FontSpec& spec) {
    QFont font(platform::FromCp932(spec.Name));
    if (spec.Size > 0) font.setPointSize(spec.Size);
    font.setBold(spec.Bold);
    font.setItalic(spec.Italic);
    font.setUnderline(spec.Underline);
    font.setStrikeOut(spec.StrikeOut);
    return font;
}

FontSpec ToFontSpec(const QFont& font, uint32_t color) {
    FontSpec spec;
    spec.Name = platform::ToCp932(font.family());
    spec.Size = font.pointSize() > 0 ? font.pointSize()
                                     : static_cast<int32_t>(font.pointSizeF() + 0.5);
    spec.Color = color;
    spec.Bold = font.bold();
    spec.Italic = font.italic();
    spec.Underline = font.underline();
    spec.StrikeOut = font.strikeOut();
    return spec;
}
