#include "search_matcher.h"

#include <bitset>
#include <cstdint>
#include <vector>

#include "cp932.h"

namespace schedule {

namespace {

// A lead byte starts a two-byte character only when a trail byte follows; anything else is one
// byte. The word is split by the same rule, so a match that starts on a character also ends on
// one.
size_t CharLength(std::string_view text, size_t i) {
    return platform::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
                   platform::IsTrailByte(static_cast<unsigned char>(text[i + 1]))
               ? 2
               : 1;
}

uint16_t CodeAt(std::string_view text, size_t i) {
    return static_cast<uint16_t>(static_cast<unsigned char>(text[i]) << 8 |
                                 static_cast<unsigned char>(text[i + 1]));
}

// CP932 gives some characters two or three codes: the signs of NEC row 13 again in JIS row 2,
// the NEC-selected IBM extensions (rows ED, EE) again as the IBM extensions (rows FA-FC). The
// converter reads every code of such a character as the one character and writes it back under
// one code, its first; the other codes all lie in the rows below. Learnt from the converter,
// so the search agrees with what the windows show.
class SameCharacter {
  public:
    static const SameCharacter& Get() {
        static const SameCharacter table;
        return table;
    }

    // True when a character of the text has another code.
    bool AnyShared(std::string_view text) const {
        for (size_t i = 0; i < text.size();) {
            const size_t n = CharLength(text, i);
            if (n == 2 && shared_.test(CodeAt(text, i))) return true;
            i += n;
        }
        return false;
    }

    // The text with every character under its first code: as long as the text, with its
    // characters where they were.
    void ToFirstCodes(std::string_view text, std::string& out) const {
        out.assign(text);
        for (size_t i = 0; i < out.size();) {
            const size_t n = CharLength(out, i);
            if (n == 2) {
                const uint16_t first = first_[CodeAt(out, i)];
                out[i] = static_cast<char>(first >> 8);
                out[i + 1] = static_cast<char>(first & 0xFF);
            }
            i += n;
        }
    }

  private:
    SameCharacter() : first_(0x10000) {
        for (size_t c = 0; c < first_.size(); ++c) first_[c] = static_cast<uint16_t>(c);
        for (const unsigned char lead : {0x87, 0xED, 0xEE, 0xFA}) {
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                const char code[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const std::string character = platform::Cp932ToUtf8(std::string_view(code, 2));
                if (character == "?") continue;  // no character
                const std::string back = platform::Utf8ToCp932(character);
                if (back.size() != 2 || back == std::string_view(code, 2)) continue;
                const uint16_t self = CodeAt(std::string_view(code, 2), 0);
                const uint16_t first = CodeAt(back, 0);
                first_[self] = first;
                shared_.set(self);
                shared_.set(first);
            }
        }
    }

    std::vector<uint16_t> first_;  // by code: the character's first code
    std::bitset<0x10000> shared_;  // codes of characters that have more than one
};

size_t FindCodes(std::string_view text, std::string_view word) {
    size_t boundary = 0;  // a known character start at or before every candidate
    size_t from = 0;
    while (true) {
        const size_t hit = text.find(word, from);
        if (hit == std::string_view::npos) return hit;
        while (boundary < hit) boundary += CharLength(text, boundary);
        if (boundary == hit) {
            // The word's last byte might be a lead byte whose trail is the next text byte.
            const size_t end = hit + word.size();
            size_t k = hit;
            while (k < end) k += CharLength(text, k);
            if (k == end) return hit;
        }
        from = hit + 1;
    }
}

bool HasDoubleByte(std::string_view text) {
    for (const char c : text)
        if (platform::IsLeadByte(static_cast<unsigned char>(c))) return true;
    return false;
}

}  // namespace

size_t FindWord(std::string_view text, std::string_view word) {
    if (word.empty()) return 0;
    // A character with one code is found only under that code.
    if (!HasDoubleByte(word)) return FindCodes(text, word);
    const SameCharacter& same = SameCharacter::Get();
    if (!same.AnyShared(word)) return FindCodes(text, word);
    thread_local std::string firstText, firstWord;
    same.ToFirstCodes(word, firstWord);
    same.ToFirstCodes(text, firstText);
    return FindCodes(firstText, firstWord);
}

}  // namespace schedule
