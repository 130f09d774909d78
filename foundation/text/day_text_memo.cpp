#include "day_text_memo.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <deque>
#include <map>

#include "cp932.h"
#include "day_text.h"

namespace foundation {

namespace {

// The lines sorted by time, each as typed: a character CP932 cannot hold is not turned into
// "?" here, before the day is stored and its question asked. The sort itself runs on CP932.
QString SortedAsTyped(const QString& text) {
    // Each line as the sort writes it, and the lines as typed that it stands for, in order.
    std::map<std::string, std::deque<QString>> typed;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const std::string bytes = platform::ToCp932(line);
        std::string sorted = SortTextByTime(bytes);
        if (sorted.size() >= 2) sorted.resize(sorted.size() - 2);
        // The sort only puts a blank before a one-digit hour.
        QString shown = line;
        if (sorted == " " + bytes)
            shown.prepend(QLatin1Char(' '));
        else if (!bytes.empty() && bytes[0] == '@' && sorted == "@ " + bytes.substr(1))
            shown.insert(1, QLatin1Char(' '));
        else if (sorted != bytes)
            shown = platform::FromCp932(sorted);
        typed[sorted].push_back(shown);
    }
    const std::string sorted = SortTextByTime(platform::ToCp932(platform::LfToCrLf(text)));
    QString result;
    for (size_t start = 0; start < sorted.size();) {
        size_t end = sorted.find("\r\n", start);
        if (end == std::string::npos) end = sorted.size();
        const std::string line = sorted.substr(start, end - start);
        std::deque<QString>& from = typed[line];
        if (from.empty()) {
            result += platform::FromCp932(line);
        } else {
            result += from.front();
            from.pop_front();
        }
        result += QLatin1Char('\n');
        start = end + 2;
    }
    return result;
}

// Replaces the document by its lines sorted by time; the cursor of the edit, or a null one
// when nothing was sorted.
QTextCursor SortDocument(QTextDocument* document) {
    // toPlainText holds the real lines, not the wrapped display lines.
    const QString text = document->toPlainText();
    if (text.isEmpty()) return QTextCursor();
    const QString sorted = SortedAsTyped(text);
    // A text already in order is no edit: a day only shown keeps its bytes.
    if (sorted == text) return QTextCursor();
    // One edit block replacing the whole document: a single undo step, clipboard untouched.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(sorted);
    cursor.endEditBlock();
    return cursor;
}

}  // namespace

void SortLinesByTime(QPlainTextEdit* memo) {
    if (memo == nullptr || memo->isReadOnly()) return;
    const QTextCursor cursor = SortDocument(memo->document());
    if (!cursor.isNull()) memo->setTextCursor(cursor);
}

void SortLinesByTime(QTextEdit* memo) {
    if (memo == nullptr || memo->isReadOnly()) return;
    const QTextCursor cursor = SortDocument(memo->document());
    if (!cursor.isNull()) memo->setTextCursor(cursor);
}

std::string MemoPlainText(const QPlainTextEdit* memo) {
    return platform::LfToCrLf(platform::ToCp932(memo->toPlainText()));
}

void SetMemoPlainText(QPlainTextEdit* memo, const std::string& cp932CrLf) {
    const QString text = platform::FromCp932(platform::CrLfToLf(cp932CrLf));
    if (memo->document()->characterCount() != text.size() + 1 || memo->toPlainText() != text)
        memo->setPlainText(text);
    memo->document()->setModified(false);
}

TextTake TakeEditedText(QPlainTextEdit* memo, std::string& cp932CrLf) {
    QTextDocument* document = memo->document();
    if (!document->isModified()) return TextTake::Unedited;
    if (!ConfirmDocuments({document})) return TextTake::Refused;
    cp932CrLf = MemoPlainText(memo);
    document->setModified(false);
    return TextTake::Taken;
}

}  // namespace foundation
