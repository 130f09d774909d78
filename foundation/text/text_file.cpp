#include "text_file.h"

#include <algorithm>

#include "cp932.h"
#include "file_io.h"

namespace foundation {

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

namespace {

using Lines = std::vector<std::string_view>;

// A marker with one byte changed, as a bad sector or a slip of an editor leaves it.
bool NearMarker(std::string_view line, std::string_view marker) {
    if (line.size() != marker.size()) return false;
    int differ = 0;
    for (size_t i = 0; i < line.size(); ++i) differ += line[i] != marker[i];
    return differ == 1;
}

// One reading of the lines into blocks.
struct Scan {
    std::vector<Lines> blocks;
    int firstOdd = -1;    // block index where something stood that the writer never writes
    int firstInner = -1;  // block index of the first "#S#!" inside a block
    bool cut = false;     // the file ended inside a block
};

// Which "#S#!" inside a block is taken for the start of the next block whose end marker before
// it was lost, instead of for a text line: none, only one right after a damaged end marker
// (that is certain), or every one.
enum class Split { None, AfterDamagedEnd, Every };

Scan ScanBlocks(const Lines& lines, Split split) {
    Scan scan;
    auto odd = [&] {
        if (scan.firstOdd < 0) scan.firstOdd = static_cast<int>(scan.blocks.size());
    };
    bool inside = false;
    Lines current, strays;
    for (const std::string_view line : lines) {
        if (!inside) {
            if (line == kBlockStart) {
                if (!strays.empty()) odd();
                strays.clear();
                current.clear();
                inside = true;
            } else if (line == kBlockEnd) {
                odd();
                // The lines since the last block are a block whose start marker was damaged.
                if (!strays.empty()) {
                    if (NearMarker(strays.front(), kBlockStart)) strays.erase(strays.begin());
                    scan.blocks.push_back(strays);
                }
                strays.clear();
            } else {
                strays.push_back(line);
            }
        } else if (line == kBlockEnd) {
            scan.blocks.push_back(current);
            inside = false;
        } else if (line == kBlockStart &&
                   (split == Split::Every || (split == Split::AfterDamagedEnd && !current.empty() &&
                                              NearMarker(current.back(), kBlockEnd)))) {
            if (split == Split::Every) odd();
            if (!current.empty() && NearMarker(current.back(), kBlockEnd)) current.pop_back();
            scan.blocks.push_back(current);
            current.clear();
        } else {
            if (line == kBlockStart && scan.firstInner < 0)
                scan.firstInner = static_cast<int>(scan.blocks.size());
            current.push_back(line);
        }
    }
    if (inside) {
        scan.blocks.push_back(current);
        scan.cut = true;
    }
    if (!strays.empty()) odd();
    return scan;
}

void Place(const Scan& scan, int count, BlockSlots& out) {
    for (int k = 0; k < count && k < static_cast<int>(scan.blocks.size()); ++k) {
        const Lines& block = scan.blocks[static_cast<size_t>(k)];
        std::string& text = out.text[static_cast<size_t>(k)];
        for (size_t i = 0; i < block.size(); ++i) {
            if (i > 0) text.append("\r\n");
            text.append(block[i]);
        }
        out.hasText[static_cast<size_t>(k)] = block.empty() ? 0 : 1;
    }
}

}  // namespace

namespace {

bool OddBytes(std::string_view text) {
    return text.find('\0') != std::string_view::npos || !platform::IsCp932Text(text);
}

BlockSlots ReadSlots(std::string_view bytes, int slotCount) {
    BlockSlots out;
    out.text.assign(static_cast<size_t>(slotCount), std::string());
    out.hasText.assign(static_cast<size_t>(slotCount), 0);
    if (StartsWithUtf8Bom(bytes)) bytes.remove_prefix(3);
    if (bytes.empty()) return out;
    Lines lines;
    for (size_t pos = 0; pos < bytes.size();) lines.push_back(NextLine(bytes, pos));

    const Scan plain = ScanBlocks(lines, Split::None);
    const int count = static_cast<int>(plain.blocks.size());
    const bool whole = plain.firstOdd < 0 && !plain.cut && count == slotCount;
    out.clean = whole && !OddBytes(bytes);
    // The count of blocks tells whether the reading put each in its own slot.
    if (count == slotCount) {
        Place(plain, slotCount, out);
        return out;
    }
    if (plain.firstInner >= 0) {
        const Scan split = ScanBlocks(lines, Split::Every);
        if (static_cast<int>(split.blocks.size()) == slotCount) {
            Place(split, slotCount, out);
            return out;
        }
    }
    // A file cut short, or one with blocks past the last slot, keeps its blocks in order; a
    // block end damaged before a start is an end all the same. Otherwise only the blocks
    // before the first trouble are certainly in their slots.
    const Scan base = plain.firstInner >= 0 ? ScanBlocks(lines, Split::AfterDamagedEnd) : plain;
    const int baseCount = static_cast<int>(base.blocks.size());
    int placed = slotCount;
    if (base.firstOdd >= 0) {
        placed = std::min(placed, base.firstOdd);
        if (base.firstInner >= 0) placed = std::min(placed, base.firstInner);
    }
    // Too few blocks in a file that ends whole: an end and a start marker were lost together,
    // as a run of NULs over a sector takes them. Only the blocks before the first with a NUL
    // are certainly in their slots (bytes of no character are old texts' own, and stay).
    auto hasNul = [](std::string_view line) { return line.find('\0') != std::string_view::npos; };
    if (!base.cut && baseCount < slotCount)
        for (int k = 0; k < std::min(placed, baseCount); ++k)
            if (std::any_of(base.blocks[static_cast<size_t>(k)].begin(),
                            base.blocks[static_cast<size_t>(k)].end(), hasNul)) {
                placed = k;
                break;
            }
    Place(base, placed, out);
    if (placed < slotCount) out.firstUnplaced = placed + 1;
    return out;
}

}  // namespace

BlockSlots ReadBlockSlots(std::string_view bytes, int slotCount) {
    BlockSlots out = ReadSlots(bytes, slotCount);
    if (!out.clean)
        for (int k = 1; k <= slotCount; ++k)
            if (OddBytes(out.text[static_cast<size_t>(k - 1)])) out.oddBytes.push_back(k);
    return out;
}

}  // namespace foundation
