// Conversion between the program's CP932 byte strings and Qt / UTF-8 text.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>

namespace platform {

// CP932 lead byte (0x81-0x9F, 0xE0-0xFC).
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}
// CP932 trail byte (0x40-0x7E, 0x80-0xFC).
inline bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}

// UTF-8 -> CP932; characters CP932 cannot hold become "?".
std::string Utf8ToCp932(std::string_view utf8);
// CP932 -> UTF-8; bytes that are no CP932 character become "?".
std::string Cp932ToUtf8(std::string_view cp932);

// Every byte belongs to a CP932 character: no lone lead byte, no byte or pair of no character.
bool IsCp932Text(std::string_view bytes);

std::string ToCp932(const QString& text);
QString FromCp932(std::string_view cp932);

// The characters of the text that CP932 cannot hold, each once, in the order they first
// appear; one beyond U+FFFF is one entry of two units. Characters that have a CP932 code
// (〜 U+301C, − U+2212, ¢ ...) are not among them.
QStringList UnencodableCharacters(const QString& text);
// The text without those characters.
QString WithoutUnencodable(const QString& text);

// Widgets show LF; the program keeps CR LF.
QString CrLfToLf(const QString& text);
QString LfToCrLf(const QString& text);
std::string CrLfToLf(std::string_view text);
std::string LfToCrLf(std::string_view text);

}  // namespace platform

// A UTF-8 literal in the program's CP932 form.
std::string Sj(std::string_view utf8);
// A UTF-8 literal as a widget's text.
inline QString U(const char* utf8) { return QString::fromUtf8(utf8); }
