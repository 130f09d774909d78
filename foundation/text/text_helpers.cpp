#include "text_helpers.h"

#include <QFile>
#include <array>
#include <climits>

#include "clock.h"
#include "color.h"
#include "cp932.h"
#include "date_time.h"
#include "file_io.h"
#include "message_box.h"
#include "paths.h"
#include "program_icon.h"

namespace foundation {

namespace {

using platform::IsLeadByte;
using platform::IsTrailByte;

unsigned char Byte(const std::string& s, size_t i) { return static_cast<unsigned char>(s[i]); }

// Length in bytes of the character at i: a lead byte with a trail byte after it is one
// double-byte character; a lone lead byte (at the end, or before a non-trail byte) is one byte.
size_t CharLenAt(const std::string& s, size_t i) {
    if (IsLeadByte(Byte(s, i)) && i + 1 < s.size() && IsTrailByte(Byte(s, i + 1))) return 2;
    return 1;
}

// Byte offset of the first single-byte c at a character boundary, or npos.
size_t FindChar(const std::string& s, char c) {
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i))
        if (CharLenAt(s, i) == 1 && s[i] == c) return i;
    return std::string::npos;
}

// Full-width forms of the half-width bytes 0xA1-0xDD, one CP932 character each.
const std::array<std::string, 61>& FullWidthKana() {
    static const std::array<std::string, 61> table = [] {
        const char* plain[61] = {"。", "「", "」", "、", "・", "ヲ", "ァ", "ィ", "ゥ", "ェ", "ォ",
                                 "ャ", "ュ", "ョ", "ッ", "ー", "ア", "イ", "ウ", "エ", "オ", "カ",
                                 "キ", "ク", "ケ", "コ", "サ", "シ", "ス", "セ", "ソ", "タ", "チ",
                                 "ツ", "テ", "ト", "ナ", "ニ", "ヌ", "ネ", "ノ", "ハ", "ヒ", "フ",
                                 "ヘ", "ホ", "マ", "ミ", "ム", "メ", "モ", "ヤ", "ユ", "ヨ", "ラ",
                                 "リ", "ル", "レ", "ロ", "ワ", "ン"};
        std::array<std::string, 61> t;
        for (int i = 0; i < 61; ++i) t[i] = Sj(plain[i]);
        return t;
    }();
    return table;
}

// Voiced (mark 0xDE) or semi-voiced (mark 0xDF) full-width form of a half-width byte; empty
// when the character has none.
std::string MarkedKana(unsigned char c, unsigned char mark) {
    static const std::array<std::string, 61> voiced = [] {
        std::array<std::string, 61> t;
        t[0xB3 - 0xA1] = Sj("ヴ");
        const char* ka[] = {"ガ", "ギ", "グ", "ゲ", "ゴ", "ザ", "ジ", "ズ",
                            "ゼ", "ゾ", "ダ", "ヂ", "ヅ", "デ", "ド"};
        for (int i = 0; i < 15; ++i) t[0xB6 - 0xA1 + i] = Sj(ka[i]);
        const char* ha[] = {"バ", "ビ", "ブ", "ベ", "ボ"};
        for (int i = 0; i < 5; ++i) t[0xCA - 0xA1 + i] = Sj(ha[i]);
        return t;
    }();
    static const std::array<std::string, 61> semiVoiced = [] {
        std::array<std::string, 61> t;
        const char* pa[] = {"パ", "ピ", "プ", "ペ", "ポ"};
        for (int i = 0; i < 5; ++i) t[0xCA - 0xA1 + i] = Sj(pa[i]);
        return t;
    }();
    return (mark == 0xDE ? voiced : semiVoiced)[c - 0xA1];
}

// Half-width replacement of a full-width CP932 character; 0 when it stays as it is.
char HalfWidthOf(unsigned code) {
    if (code >= 0x824F && code <= 0x8258) return static_cast<char>('0' + (code - 0x824F));
    if (code >= 0x8260 && code <= 0x8279) return static_cast<char>('A' + (code - 0x8260));
    if (code >= 0x8281 && code <= 0x829A) return static_cast<char>('A' + (code - 0x8281));
    switch (code) {
        case 0x8140:
            return ' ';
        case 0x8143:
            return ',';
        case 0x8144:
            return '.';
        case 0x8146:
            return ':';
        case 0x8147:
            return ';';
        case 0x8148:
            return '?';
        case 0x8149:
            return '!';
        case 0x814F:
            return '^';
        case 0x815E:
            return '/';
        case 0x8160:
            return '~';
        case 0x8162:
            return '|';
        case 0x8165:
        case 0x8166:
        case 0x818C:
            return '\'';
        case 0x8167:
        case 0x8168:
        case 0x818D:
            return '"';
        case 0x8169:
            return '(';
        case 0x816A:
            return ')';
        case 0x816D:
            return '[';
        case 0x816E:
            return ']';
        case 0x816F:
            return '{';
        case 0x8170:
            return '}';
        case 0x817B:
            return '+';
        case 0x817C:
            return '-';
        case 0x8181:
        case 0x81AC:
            return '=';
        case 0x8183:
            return '<';
        case 0x8184:
            return '>';
        case 0x818F:
            return '\\';
        case 0x8190:
            return '$';
        case 0x8193:
            return '%';
        case 0x8194:
            return '#';
        case 0x8195:
            return '&';
        case 0x8196:
            return '*';
        case 0x8197:
            return '@';
    }
    return 0;
}

}  // namespace

void SplitToken(const std::string& text, char delimiter, std::string& head, std::string& rest) {
    size_t p = FindChar(text, delimiter);
    if (p == std::string::npos) {
        head = text;
        rest.clear();
        return;
    }
    std::string h = text.substr(0, p);
    std::string r = text.substr(p + 1);
    head = std::move(h);
    rest = std::move(r);
}

bool IsDoubleByteAt(const std::string& text, int position) {
    if (position < 1 || static_cast<size_t>(position) >= text.size()) return false;
    unsigned char a = Byte(text, position - 1);
    unsigned char b = Byte(text, position);
    return IsLeadByte(a) && IsTrailByte(b);
}

int JCharCount(const std::string& text) {
    int count = 0;
    for (size_t i = 0; i < text.size(); i += IsLeadByte(Byte(text, i)) ? 2 : 1) ++count;
    return count;
}

void NormalizeJText(const std::string& text, std::string& result) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = Byte(text, i);
        if (CharLenAt(text, i) == 2) {
            char half = HalfWidthOf((static_cast<unsigned>(c) << 8) | Byte(text, i + 1));
            if (half)
                out += half;
            else
                out.append(text, i, 2);
            i += 2;
        } else if (c >= 0xA1 && c <= 0xDD) {
            unsigned char next = i + 1 < text.size() ? Byte(text, i + 1) : 0;
            std::string marked;
            if (next == 0xDE || next == 0xDF) {
                marked = MarkedKana(c, next);
                ++i;  // the mark is used up even where the kana takes none
            }
            out += marked.empty() ? FullWidthKana()[c - 0xA1] : marked;
            ++i;
        } else {
            out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c);
            ++i;
        }
    }
    result = std::move(out);
}

int MsgBox(const std::string& prompt, int code, const std::string& /*title*/) {
    platform::MsgKind kind = platform::MsgKind::Plain;
    if (code >= 64) {
        kind = platform::MsgKind::Information;
        code -= 64;
    } else if (code >= 48) {
        kind = platform::MsgKind::Warning;
        code -= 48;
    } else if (code >= 32) {
        kind = platform::MsgKind::Confirmation;
        code -= 32;
    } else if (code >= 16) {
        kind = platform::MsgKind::Error;
        code -= 16;
    }
    using namespace platform;
    std::vector<int> buttons;
    switch (code) {
        case 0:
            buttons = {kBtnOk};
            break;
        case 1:
            buttons = {kBtnOk, kBtnCancel};
            break;
        case 2:
            buttons = {kBtnAbort, kBtnRetry, kBtnIgnore};
            break;
        case 3:
            buttons = {kBtnYes, kBtnNo, kBtnCancel};
            break;
        case 4:
            buttons = {kBtnYes, kBtnNo};
            break;
        case 5:
            buttons = {kBtnRetry, kBtnCancel};
            break;
        default:
            return kBtnOk;
    }
    MessageRequest request;
    request.kind = kind;
    request.caption = KindCaption(kind);
    request.text = DiskPath(prompt);
    request.buttons = buttons;
    int answer = Messages().Show(request);
    return (answer >= kBtnOk && answer <= kBtnNo) ? answer : kBtnOk;
}

int StrToIntZero(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) return 0;
    long long value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return 0;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return 0;
    return static_cast<int>(value);
}

bool FileCopy(const std::string& source, const std::string& destination) {
    if (!platform::FileExists(source)) return false;
    return platform::CopyFileAtomic(source, destination);
}

void SplitExt(const std::string& name, std::string& extension, std::string& base) {
    if (name.size() <= 2) {
        base = name;
        return;
    }
    size_t p = name.rfind('.');
    if (p == std::string::npos) {
        base = name;
        extension.clear();
        return;
    }
    std::string e = name.substr(p + 1);
    std::string b = name.substr(0, p);
    extension = std::move(e);
    base = std::move(b);
}

void ExtOf(const std::string& name, std::string& extension) {
    std::string ext, base;
    SplitExt(name, ext, base);
    extension = std::move(ext);
}

void ExePathOf(const std::string& commandLine, std::string& path) {
    std::string upper = commandLine;
    for (size_t i = 0; i < upper.size(); i += CharLenAt(upper, i))
        if (CharLenAt(upper, i) == 1 && upper[i] >= 'a' && upper[i] <= 'z') upper[i] -= 'a' - 'A';
    path.clear();
    if (upper.size() <= 3) return;
    for (size_t i = 0; i < upper.size(); i += CharLenAt(upper, i)) {
        if (upper.compare(i, 4, ".EXE") != 0) continue;
        size_t end = i + 4;
        if (end < upper.size()) end += CharLenAt(upper, end);  // the blank or quote after it
        path = upper.substr(0, end);
        return;
    }
}

bool NormalizeNumText(const std::string& text, std::string& result) {
    std::string folded;
    NormalizeJText(text, folded);
    std::string s;
    for (char c : folded)
        if (c != ' ') s += c;
    std::string out;
    bool signMet = false;
    bool pointTaken = false;
    for (size_t i = 0; i < s.size(); i += CharLenAt(s, i)) {
        char c = s[i];
        if (CharLenAt(s, i) == 1 && !signMet && (c == '+' || c == '-')) {
            signMet = true;
            if (out.empty()) out += c;
        } else if (CharLenAt(s, i) == 1 && c == '.') {
            if (pointTaken) continue;
            pointTaken = true;
            if (out.empty())
                out = "0.";
            else if (out == "+" || out == "-")
                out += "0.";
            else
                out += '.';
        } else if (CharLenAt(s, i) == 1 && c >= '0' && c <= '9') {
            out += c;
        } else {
            break;
        }
    }
    if (out.empty()) {
        result = "0";
        return false;
    }
    result = std::move(out);
    return true;
}

void ColorToRGBBytes(uint32_t color, uint8_t& red, uint8_t& green, uint8_t& blue) {
    uint32_t rgb = platform::ResolveColor(color);
    red = static_cast<uint8_t>(rgb & 0xFF);
    green = static_cast<uint8_t>((rgb >> 8) & 0xFF);
    blue = static_cast<uint8_t>((rgb >> 16) & 0xFF);
}

int FileAgeDays(const std::string& path) {
    if (path.empty() || platform::IsFolder(path)) return -1;
    QFile file(platform::DiskPath(path));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    long long seconds = 0;
    if (!platform::FileModifiedTime(path, seconds)) return -1;
    const platform::Clock& clock = platform::CurrentClock();
    long long days = WholeDaysBetween(clock.FromEpoch(seconds), clock.Now());
    if (days > INT_MAX || days < INT_MIN) return -1;
    return static_cast<int>(days);
}

void AddExeIcon(const std::string& commandLine, ImageList& images) {
    images.push_back(platform::ProgramIcon(platform::DiskPath(commandLine)));
}

}  // namespace foundation
