#include "ini_profile.h"

#include <algorithm>
#include <utility>

#include "cp932.h"
#include "file_io.h"

namespace platform {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b])) ++b;
    while (e > b && IsBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

// ASCII letters compare without case; the trail byte of a double-byte character is compared
// exactly, since 0x41-0x7A trail bytes would otherwise make different characters equal.
bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

// Index of the first "c" that is not the trail byte of a double-byte character.
size_t FindSingleByte(const std::string& s, size_t from, char c) {
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] == c) return i;
        if (IsLeadByte(static_cast<unsigned char>(s[i]))) ++i;
    }
    return std::string::npos;
}

// A value is one line.
std::string OneLine(std::string s) {
    for (char& c : s)
        if (c == '\r' || c == '\n') c = ' ';
    return s;
}

std::string Unquote(const std::string& v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

bool ParseInteger(const std::string& text, int32_t& out) {
    std::string s = Trim(text);
    size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    unsigned base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size()) return false;
    // Unsigned arithmetic wraps, so the low 32 bits come out right for any length.
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
        value = value * base + digit;
    }
    if (negative) value = ~value + 1;
    out = static_cast<int32_t>(static_cast<uint32_t>(value));
    return true;
}

}  // namespace

IniProfile::IniProfile(std::string path) : path_(std::move(path)) { Reload(); }

IniProfile::IniProfile(std::string path, const std::string& bytes)
    : path_(std::move(path)), loaded_(true) {
    Parse(bytes);
}

bool IniProfile::Reload() {
    std::string bytes;
    loaded_ = ReadWholeFile(path_, bytes);
    Parse(loaded_ ? bytes : std::string());
    return loaded_;
}

void IniProfile::Parse(const std::string& bytes) {
    sections_.clear();
    sections_.push_back(Section{});  // lines before the first header
    size_t pos = 0;
    while (pos < bytes.size()) {
        size_t end = bytes.find_first_of("\r\n", pos);
        std::string text =
            bytes.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        if (end == std::string::npos)
            pos = bytes.size();
        else
            pos =
                end +
                ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);

        std::string trimmed = Trim(text);
        if (!trimmed.empty() && trimmed[0] == '[') {
            size_t close = FindSingleByte(trimmed, 1, ']');
            Section s;
            s.name =
                Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            s.header = text;
            sections_.push_back(std::move(s));
            continue;
        }
        Line line;
        line.raw = text;
        if (!trimmed.empty() && trimmed[0] != ';') {
            size_t eq = FindSingleByte(trimmed, 0, '=');
            if (eq != std::string::npos) {
                line.key = Trim(trimmed.substr(0, eq));
                line.value = Trim(trimmed.substr(eq + 1));
                line.isEntry = !line.key.empty();
                if (!line.isEntry) line.key.clear(), line.value.clear();
            }
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

IniProfile::Section* IniProfile::FindSection(const std::string& name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

const IniProfile::Section* IniProfile::FindSection(const std::string& name) const {
    std::string wanted = Trim(OneLine(name));
    for (const Section& s : sections_)
        if (!s.header.empty() && SameName(s.name, wanted)) return &s;
    return nullptr;
}

namespace {

template <typename Lines>
auto FindEntry(Lines& lines, const std::string& key) -> decltype(&lines[0]) {
    std::string wanted = Trim(OneLine(key));
    for (auto& l : lines)
        if (l.isEntry && SameName(l.key, wanted)) return &l;
    return nullptr;
}

}  // namespace

std::string IniProfile::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue) const {
    const Section* s = FindSection(section);
    if (!s) return defaultValue;
    const Line* l = FindEntry(s->lines, key);
    return l ? Unquote(l->value) : defaultValue;
}

int32_t IniProfile::ReadInteger(const std::string& section, const std::string& key,
                                int32_t defaultValue) const {
    const Section* s = FindSection(section);
    if (!s) return defaultValue;
    const Line* l = FindEntry(s->lines, key);
    int32_t value;
    return l && ParseInteger(Unquote(l->value), value) ? value : defaultValue;
}

bool IniProfile::ReadBool(const std::string& section, const std::string& key,
                          bool defaultValue) const {
    const Section* s = FindSection(section);
    if (!s) return defaultValue;
    const Line* l = FindEntry(s->lines, key);
    if (!l) return defaultValue;
    std::string v = Trim(Unquote(l->value));
    if (SameName(v, "true")) return true;
    if (SameName(v, "false")) return false;
    int32_t value;
    return ParseInteger(v, value) ? value != 0 : defaultValue;
}

void IniProfile::WriteString(const std::string& section, const std::string& key,
                             const std::string& value) {
    std::string k = Trim(OneLine(key));
    if (k.empty()) return;  // a line "=value" could never be read back
    std::string v = OneLine(value);
    Section* s = FindSection(section);
    if (!s) {
        Section added;
        added.name = Trim(OneLine(section));
        added.header = "[" + added.name + "]";
        sections_.push_back(std::move(added));
        s = &sections_.back();
    }
    if (Line* l = FindEntry(s->lines, k)) {
        l->value = Trim(v);
        l->raw = l->key + "=" + v;
        return;
    }
    // After the last entry, so that blank lines and comments ahead of the next header stay there.
    size_t at = 0;
    for (size_t i = 0; i < s->lines.size(); ++i)
        if (s->lines[i].isEntry) at = i + 1;
    Line line;
    line.raw = k + "=" + v;
    line.key = k;
    line.value = Trim(v);
    line.isEntry = true;
    s->lines.insert(s->lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void IniProfile::WriteInteger(const std::string& section, const std::string& key, int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniProfile::WriteBool(const std::string& section, const std::string& key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

bool IniProfile::SectionExists(const std::string& section) const {
    return FindSection(section) != nullptr;
}

bool IniProfile::ValueExists(const std::string& section, const std::string& key) const {
    const Section* s = FindSection(section);
    return s && FindEntry(s->lines, key) != nullptr;
}

void IniProfile::EraseSection(const std::string& section) {
    // Every copy goes: a duplicate left behind would bring its old entries back.
    std::string wanted = Trim(OneLine(section));
    sections_.erase(std::remove_if(sections_.begin(), sections_.end(),
                                   [&](const Section& s) {
                                       return !s.header.empty() && SameName(s.name, wanted);
                                   }),
                    sections_.end());
}

void IniProfile::DeleteKey(const std::string& section, const std::string& key) {
    Section* s = FindSection(section);
    if (!s) return;
    // A duplicate of the key would otherwise become visible in its place.
    std::string wanted = Trim(OneLine(key));
    s->lines.erase(
        std::remove_if(s->lines.begin(), s->lines.end(),
                       [&](const Line& l) { return l.isEntry && SameName(l.key, wanted); }),
        s->lines.end());
}

std::vector<std::string> IniProfile::Sections() const {
    std::vector<std::string> names;
    for (const Section& s : sections_) {
        if (s.header.empty()) continue;
        if (std::none_of(names.begin(), names.end(),
                         [&](const std::string& n) { return SameName(n, s.name); }))
            names.push_back(s.name);
    }
    return names;
}

std::vector<std::string> IniProfile::Keys(const std::string& section) const {
    std::vector<std::string> keys;
    const Section* s = FindSection(section);
    if (!s) return keys;
    for (const Line& l : s->lines) {
        if (!l.isEntry) continue;
        if (std::none_of(keys.begin(), keys.end(),
                         [&](const std::string& k) { return SameName(k, l.key); }))
            keys.push_back(l.key);
    }
    return keys;
}

std::string IniProfile::Serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        if (!s.header.empty()) out += s.header + "\r\n";
        for (const Line& l : s.lines) out += l.raw + "\r\n";
    }
    return out;
}

bool IniProfile::Save() const {
    if (path_.empty()) return false;
    return WriteFileAtomic(path_, Serialize());
}

}  // namespace platform
