#include "cp932.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {
namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // skip(in, left) returns how many input bytes make up the bad character.
    template <typename Skip>
    std::string Run(std::string_view input, Skip skip) {
        std::string out;
        if (input.empty()) return out;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            for (unsigned char c : input) out += c < 0x80 ? static_cast<char>(c) : '?';
            return out;
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        // A window of fixed size, refilled: a buffer for the whole text would be allocated
        // and cleared anew for every long text.
        out.reserve(input.size() + input.size() / 2);
        // Short texts, the most, use the stack.
        char small[1024];
        std::vector<char> large;
        char* buffer = small;
        size_t bufferSize = sizeof small;
        const size_t wanted = std::min<size_t>(input.size() * 4 + 16, 64 * 1024);
        if (wanted > bufferSize) {
            large.resize(wanted);
            buffer = large.data();
            bufferSize = wanted;
        }
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = bufferSize;
            size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer, outPtr - buffer);
            if (rc != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: one bad character, replaced and skipped.
            size_t n = skip(reinterpret_cast<const unsigned char*>(in), inLeft);
            if (n == 0 || n > inLeft) n = inLeft < 1 ? inLeft : 1;
            in += n;
            inLeft -= n;
            out += '?';
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        return out;
    }

  private:
    iconv_t cd_;
};

// What the converter makes of each character, learnt from it the first time the character is
// met: a list of ten thousand rows would otherwise call it ten thousand times.
class CharTable {
  public:
    static constexpr int32_t kUnknown = -1;
    static constexpr int32_t kNone = -2;     // no character: the converter fails
    static constexpr int32_t kComplex = -3;  // more than one UTF-16 unit

    CharTable() : cd_(iconv_open("UTF-16LE", "CP932")) {
        for (auto& v : singles_) v = kUnknown;
    }
    ~CharTable() {
        if (Usable()) iconv_close(cd_);
    }
    CharTable(const CharTable&) = delete;
    CharTable& operator=(const CharTable&) = delete;

    bool Usable() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    int32_t Single(unsigned char c) {
        int32_t& v = singles_[c];
        if (v == kUnknown) {
            const char in[1] = {static_cast<char>(c)};
            v = Learn(in, 1);
        }
        return v;
    }
    int32_t Pair(unsigned char lead, unsigned char trail) {
        std::unique_ptr<std::array<int32_t, 256>>& row = pairs_[lead];
        if (!row) {
            row = std::make_unique<std::array<int32_t, 256>>();
            row->fill(kUnknown);
        }
        int32_t& v = (*row)[trail];
        if (v == kUnknown) {
            const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            v = Learn(in, 2);
        }
        return v;
    }

  private:
    int32_t Learn(const char* bytes, size_t n) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(bytes);
        size_t inLeft = n;
        char out[16];
        char* outPtr = out;
        size_t outLeft = sizeof out;
        if (iconv(cd_, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
            return kNone;
        if (outPtr - out != 2) return kComplex;
        return static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8);
    }

    iconv_t cd_;
    std::array<int32_t, 256> singles_;
    std::array<std::unique_ptr<std::array<int32_t, 256>>, 256> pairs_;
};

CharTable& Chars() {
    static CharTable table;
    return table;
}

// The converter's result by the table: a bad character becomes "?" and is skipped as the
// converter's run skips it. False when a character needs the converter itself.
bool DecodeByTable(std::string_view cp932, QString& text) {
    CharTable& table = Chars();
    if (!table.Usable()) return false;
    text.resize(static_cast<qsizetype>(cp932.size()));  // never more units than bytes
    QChar* out = text.data();
    qsizetype n = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(cp932.data());
    const size_t size = cp932.size();
    for (size_t i = 0; i < size;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            out[n++] = QChar(c);
            ++i;
            continue;
        }
        int32_t v;
        size_t used = 1;
        if (IsLeadByte(c) && i + 1 < size) {
            v = table.Pair(c, p[i + 1]);
            used = v >= 0 || IsTrailByte(p[i + 1]) ? 2 : 1;
        } else {
            v = table.Single(c);
        }
        if (v == CharTable::kComplex) return false;
        out[n++] = v >= 0 ? QChar(static_cast<char16_t>(v)) : QChar(u'?');
        i += used;
    }
    text.truncate(n);
    return true;
}

size_t Utf8CharLength(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    size_t n = 1;
    if (c >= 0xF0)
        n = 4;
    else if (c >= 0xE0)
        n = 3;
    else if (c >= 0xC0)
        n = 2;
    if (n > left) n = left;
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return i;
    }
    return n;
}

size_t Cp932CharLength(const unsigned char* p, size_t left) {
    if (left >= 2 && IsLeadByte(p[0]) && IsTrailByte(p[1])) return 2;
    return 1;
}

}  // namespace

std::string Utf8ToCp932(std::string_view utf8) {
    static Converter conv("CP932", "UTF-8");
    return conv.Run(utf8, Utf8CharLength);
}

std::string Cp932ToUtf8(std::string_view cp932) {
    static Converter conv("UTF-8", "CP932");
    return conv.Run(cp932, Cp932CharLength);
}

std::string ToCp932(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

bool IsCp932Text(std::string_view bytes) {
    CharTable& table = Chars();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t size = bytes.size();
    for (size_t i = 0; i < size;) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (!table.Usable()) return false;
        if (IsLeadByte(c)) {
            if (i + 1 >= size || table.Pair(c, p[i + 1]) == CharTable::kNone) return false;
            i += 2;
        } else {
            if (table.Single(c) == CharTable::kNone) return false;
            ++i;
        }
    }
    return true;
}

QString FromCp932(std::string_view cp932) {
    // The lower half of CP932 is ASCII: most dates, numbers and paths need no converter.
    if (std::all_of(cp932.begin(), cp932.end(), [](char c) { return (c & 0x80) == 0; }))
        return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
    QString text;
    if (DecodeByTable(cp932, text)) return text;
    return QString::fromStdString(Cp932ToUtf8(cp932));
}

namespace {

// One code point of the text at i (a lone surrogate stands for itself) and its length.
char32_t CodePointAt(const QString& text, qsizetype i, qsizetype& length) {
    const char16_t c = text.at(i).unicode();
    length = 1;
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
        length = 2;
        return QChar::surrogateToUcs4(c, text.at(i + 1).unicode());
    }
    return c;
}

bool Encodable(char32_t c) {
    if (c < 0x80) return true;
    // CP932 holds nothing beyond the basic plane, and no half of a surrogate pair.
    if (c > 0xFFFF || QChar::isSurrogate(c)) return false;
    // 0 unknown, 1 held, 2 not held: learnt from the converter once per character.
    static std::array<uint8_t, 0x10000> known{};
    uint8_t& state = known[c];
    if (state == 0) {
        const QByteArray utf8 = QString(QChar(static_cast<char16_t>(c))).toUtf8();
        const std::string bytes =
            Utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
        state = bytes == "?" ? 2 : 1;
    }
    return state == 1;
}

}  // namespace

QStringList UnencodableCharacters(const QString& text) {
    QStringList found;
    qsizetype length = 1;
    for (qsizetype i = 0; i < text.size(); i += length) {
        const char32_t c = CodePointAt(text, i, length);
        if (Encodable(c)) continue;
        const QString character = text.mid(i, length);
        if (!found.contains(character)) found.append(character);
    }
    return found;
}

QString WithoutUnencodable(const QString& text) {
    QString kept;
    kept.reserve(text.size());
    qsizetype length = 1;
    for (qsizetype i = 0; i < text.size(); i += length) {
        if (Encodable(CodePointAt(text, i, length))) kept.append(QStringView(text).mid(i, length));
    }
    return kept;
}

QString CrLfToLf(const QString& text) {
    QString s = text;
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

QString LfToCrLf(const QString& text) {
    QString s = CrLfToLf(text);
    s.replace(QChar('\r'), QChar('\n'));
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return s;
}

std::string CrLfToLf(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i];
    }
    return out;
}

std::string LfToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace platform

std::string Sj(std::string_view utf8) { return platform::Utf8ToCp932(utf8); }
