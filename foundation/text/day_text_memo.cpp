#include "day_text_memo.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "cp932.h"
#include "day_text.h"

namespace foundation {

namespace {

// Replaces the document by its lines sorted by time; the cursor of the edit, or a null one
// when nothing was sorted.
QTextCursor SortDocument(QTextDocument* document) {
    // toPlainText holds the real lines, not the wrapped display lines.
    const QString text = document->toPlainText();
    if (text.isEmpty()) return QTextCursor();
    const std::string sorted = SortTextByTime(platform::ToCp932(platform::LfToCrLf(text)));
    // One edit block replacing the whole document: a single undo step, clipboard untouched.
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(platform::FromCp932(platform::CrLfToLf(sorted)));
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
