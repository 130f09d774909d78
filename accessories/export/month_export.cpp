#include "month_export.h"

#include <algorithm>
#include <cstdio>

#include "cp932.h"

namespace accessories {

namespace {

const char kCrLf[] = "\r\n";

// Quotes inside a field are doubled, so a CSV reader gets the text back whole.
std::string CsvField(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// Line breaks inside the field become bare LF; a final CR LF is kept as it stands.
std::string CsvDayText(const std::string& text) {
    if (text.size() < 2) return text;
    std::string out;
    for (size_t i = 0; i + 2 < text.size(); ++i)
        if (text[i] != '\r') out += text[i];
    return out + text.substr(text.size() - 2);
}

}  // namespace

std::string HtmlEscape(const std::string& text) {
    // '&', '<' and '>' lie below every CP932 trail byte, so a byte scan is safe.
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string HexRgb(uint32_t rgb) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF,
                  rgb & 0xFF);
    return buf;
}

std::string HeadingExtra(const std::string& caption) {
    size_t open = caption.find('(');
    if (open == std::string::npos) return std::string();
    size_t after = open + 3;  // past "(" and the two-byte weekday kanji
    if (after >= caption.size()) return std::string();
    if (caption[after] == ')') return caption.substr(after + 1);
    size_t separator =
        after + (platform::IsLeadByte(static_cast<unsigned char>(caption[after])) ? 2 : 1);
    return "(" + caption.substr(std::min(separator, caption.size()));
}

std::string MonthCsv(const MonthExport& month) {
    std::string out = CsvField(month.caption) + kCrLf + kCrLf;
    out += CsvField(Sj("日付")) + "," + CsvField(Sj("予定")) + kCrLf;
    for (const MonthExportDay& d : month.days)
        out += CsvField(d.caption) + "," + CsvField(CsvDayText(d.text)) + kCrLf;
    return out;
}

std::string MonthHtml(const MonthExport& month) {
    const std::string caption = HtmlEscape(month.caption);
    std::string out;
    auto line = [&out](const std::string& s) { out += s + kCrLf; };
    line("<HTML>");
    line("<HEAD>");
    line("<META NAME=\"GENERATOR\" CONTENT=\"Kolvane Ver5.90B5\">");
    line("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html;CHARSET=x-sjis\">");
    line("<TITLE>" + caption + "</TITLE></HEAD><BODY>");
    line("<CENTER><H3>" + caption + "</H3></CENTER>");
    line("<BR>");
    line("<CENTER><TABLE border=\"1\" width=\"100%\">");
    line("<TBODY>");
    line("  <TR><FONT SIZE=\"+3\">");
    const char* heads[7] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int w = 0; w < 7; ++w) {
        const char* width = w == 0 || w == 6 ? "15%" : "14%";
        line(std::string("    <TH bgcolor=\"#d6fcd1\" height=\"28\" width=\"") + width +
             "\"><FONT size=\"+2\" color=\"#" + HexRgb(month.weekdayRgb[w]) + "\">" + Sj(heads[w]) +
             "</FONT></TH>");
    }
    line("  </FONT>");
    line("  </TR>");

    const std::string emptyCell = "    <TD> </TD>";
    line("  <TR>");
    int column = month.firstWeekday % 7;
    for (int i = 0; i < column; ++i) line(emptyCell);
    for (size_t k = 1; k <= month.days.size(); ++k) {
        const MonthExportDay& d = month.days[k - 1];
        if (column == 0 && k > 1) line("  <TR>");
        line("    <TD bgcolor=\"#" + HexRgb(d.backgroundRgb) + "\" valign=\"top\">");
        if (d.textRgb) line("    <FONT color=\"#" + HexRgb(*d.textRgb) + "\">");
        line("<B><FONT size=\"+1\">" + std::to_string(k) + Sj("日") +
             "</FONT></B><FONT size=\"-1\">" + HtmlEscape(HeadingExtra(d.caption)) + "</FONT>");
        line(d.textRgb ? "</FONT><BR>" : "<BR>");
        std::string text;
        for (char c : HtmlEscape(d.text)) {
            if (c == '\r') text += "<BR>";
            text += c;
        }
        line("<FONT size=\"-1\">" + text + "</FONT>");
        line("    </TD>");
        if (++column == 7) {
            line("  </TR>");
            column = 0;
        }
    }
    if (column != 0) {
        for (; column < 7; ++column) line(emptyCell);
        line("  </TR>");
    }
    line("  </TBODY>");
    line("</TABLE></CENTER>");
    line("</BODY></HTML>");
    return out;
}

}  // namespace accessories
