// Small stateless helpers on CP932 byte strings; positions and lengths count bytes.
#pragma once

#include <QIcon>
#include <cstdint>
#include <string>
#include <vector>

namespace foundation {

// Splits at the first delimiter (Shift-JIS aware: a trail byte is never a delimiter).
void SplitToken(const std::string& text, char delimiter, std::string& head, std::string& rest);
// position is 1-based.
bool IsDoubleByteAt(const std::string& text, int position);
int JCharCount(const std::string& text);
// Folded text for comparisons: full-width ASCII to half-width and upper case, half-width
// katakana to full-width.
void NormalizeJText(const std::string& text, std::string& result);
// Message box by numeric code (button set 0-5 plus icon 16/32/48/64); result 1-7.
int MsgBox(const std::string& prompt, int code, const std::string& title);
int StrToIntZero(const std::string& text);
bool FileCopy(const std::string& source, const std::string& destination);
void SplitExt(const std::string& name, std::string& extension, std::string& base);
void ExtOf(const std::string& name, std::string& extension);
void ExePathOf(const std::string& commandLine, std::string& path);
bool NormalizeNumText(const std::string& text, std::string& result);
void ColorToRGBBytes(uint32_t color, uint8_t& red, uint8_t& green, uint8_t& blue);
int FileAgeDays(const std::string& path);

using ImageList = std::vector<QIcon>;
// Adds exactly one icon for the command line's program.
void AddExeIcon(const std::string& commandLine, ImageList& images);

}  // namespace foundation
