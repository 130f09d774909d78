// Line reading and writing of the program's text files: CR LF, LF or a lone CR end a line on
// reading; CR LF is written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

// Position of the first CR or LF at or after from, or npos. A plain loop: find_first_of
// searches the two-byte set once for every byte of the text.
inline size_t FindLineEnd(std::string_view text, size_t from) {
    for (size_t i = from; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n') return i;
    return std::string_view::npos;
}

// The line of text that starts at pos, without its line end, as a view into text; pos moves
// past the line end. The lines are those TextReader reads.
std::string_view NextLine(std::string_view text, size_t& pos);

class TextReader {
  public:
    explicit TextReader(std::string bytes) : bytes_(std::move(bytes)) {}
    bool Eof() const { return pos_ >= bytes_.size(); }
    // The next line without its line end; at the end of the file an empty line.
    std::string ReadLine() { return std::string(ReadLineView()); }
    // The same as a view into the reader's bytes, valid while the reader lives.
    std::string_view ReadLineView() { return Eof() ? std::string_view() : NextLine(bytes_, pos_); }

  private:
    std::string bytes_;
    size_t pos_ = 0;
};

class TextWriter {
  public:
    void WriteLine(std::string_view line) {
        bytes_.append(line);
        bytes_.append("\r\n");
    }
    void Write(std::string_view text) { bytes_.append(text); }
    const std::string& Bytes() const { return bytes_; }
    // Atomic; false when the file could not be written (the old one is kept).
    bool SaveTo(const std::string& path) const;

  private:
    std::string bytes_;
};

// Block format of multi-line texts: "#S#!", the lines, "#E#!". The text is written only when
// hasText; a text line that is exactly "#E#!" is written as "#E#! " so it cannot end the block.
void WriteBlock(TextWriter& out, bool hasText, const std::string& text);

// A UTF-8 byte order mark, which some editors put in front of a file.
inline bool StartsWithUtf8Bom(std::string_view bytes) {
    return bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

// A file of a fixed number of blocks (the days of a month, the months of a year plan) as read.
struct BlockSlots {
    // Slot k (1-based) at index k - 1. hasText is 1 when the block held at least one line,
    // even an empty one.
    std::vector<std::string> text;
    std::vector<uint8_t> hasText;
    // The file is what the writer makes: every slot a whole block and nothing else, CP932
    // characters only, no NUL byte. A UTF-8 byte order mark in front is skipped and harms
    // nothing; an empty file is clean. Line ends may be CR LF, LF or CR.
    bool clean = true;
    // 0 when every block could be put in its own slot. Otherwise the first slot from which the
    // file's blocks could not be placed with certainty; that slot and the later ones are empty.
    int firstUnplaced = 0;
    // The slots (1-based) whose text holds a NUL byte or bytes of no CP932 character.
    std::vector<int> oddBytes;
};
// Reads the slots, putting each block in its own slot where that is certain: lines between
// blocks are skipped, a block whose start or end marker was damaged is recognised where the
// count of blocks confirms it, and a file cut short leaves the later slots empty.
BlockSlots ReadBlockSlots(std::string_view bytes, int slotCount);

}  // namespace foundation
