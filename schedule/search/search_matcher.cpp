#include "search_matcher.h"

#include "cp932.h"

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

}  // namespace

size_t FindWord(std::string_view text, std::string_view word) {
    if (word.empty()) return 0;
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
