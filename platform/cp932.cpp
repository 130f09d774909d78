#include "cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
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
        std::vector<char> buffer(std::min<size_t>(input.size() * 4 + 16, 64 * 1024));
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            size_t outLeft = buffer.size();
            size_t rc = iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
            out.append(buffer.data(), outPtr - buffer.data());
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

size_t Utf8CharLength(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    size_t n = 1;
    if (c >= 0xF0) n = 4;
    else if (c >= 0xE0) n = 3;
    else if (c >= 0xC0) n = 2;
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

QString FromCp932(std::string_view cp932) { return QString::fromStdString(Cp932ToUtf8(cp932)); }

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
