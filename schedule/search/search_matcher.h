// Substring search on CP932 bytes that matches characters: a word never starts on the trail
// byte of a double-byte character, so "\" is never found inside "表" and "A" never inside
// "ア"; and a character CP932 holds under two codes is found under either.
#pragma once

#include <string>
#include <string_view>

namespace schedule {

// Byte position of the first match in text that starts on a character, or npos. An empty word
// matches at 0.
size_t FindWord(std::string_view text, std::string_view word);
inline bool ContainsWord(std::string_view text, std::string_view word) {
    return FindWord(text, word) != std::string_view::npos;
}

}  // namespace schedule
