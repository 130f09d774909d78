#include "text_file.h"

#include "file_io.h"

namespace {

const char kBlockStart[] = "#S#!";
const char kBlockEnd[] = "#E#!";

}  // namespace

std::string_view NextLine(std::string_view text, size_t& pos) {
    if (pos >= text.size()) return std::string_view();
    const size_t end = FindLineEnd(text, pos);
    if (end == std::string_view::npos) {
        const std::string_view line = text.substr(pos);
        pos = text.size();
        return line;
    }
    const std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    return line;
}

bool TextWriter::SaveTo(const std::string& path) const {
    return platform::WriteFileAtomic(path, bytes_);
}

void WriteBlock(TextWriter& out, bool hasText, const std::string& text) {
    out.WriteLine(kBlockStart);
    if (hasText) {
        // Split the way a reader will (CR LF, LF or a lone CR): a line that reads back as the end
        // marker would close the block early and shift every later slot, so it gets a blank.
        std::string body;
        body.reserve(text.size() + 2);
        size_t start = 0;
        while (true) {
            size_t end = text.find_first_of("\r\n", start);
            size_t stop = end == std::string::npos ? text.size() : end;
            std::string_view line(text.data() + start, stop - start);
            body.append(line);
            if (line == kBlockEnd) body.push_back(' ');
            if (end == std::string::npos) break;
            size_t next = end + 1;
            if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
            body.append(text, end, next - end);
            start = next;
        }
        out.WriteLine(body);
    }
    out.WriteLine(kBlockEnd);
}

bool ReadBlock(TextReader& in, std::string& text, uint8_t* hasText) {
    text.clear();
    if (hasText) *hasText = 0;
    if (in.ReadLine() != kBlockStart) return false;
    bool first = true;
    // A file cut inside a block ends the block with the lines read so far.
    while (!in.Eof()) {
        std::string line = in.ReadLine();
        if (line == kBlockEnd) break;
        if (!first) text.append("\r\n");
        text.append(line);
        first = false;
    }
    if (hasText) *hasText = first ? 0 : 1;
    return true;
}
