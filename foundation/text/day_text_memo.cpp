#include "day_text_memo.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include "cp932.h"
#include "day_text.h"

void SortLinesByTime(QPlainTextEdit* memo) {
    if (memo == nullptr || memo->isReadOnly()) return;
    // toPlainText holds the real lines, not the wrapped display lines.
    const QString text = memo->toPlainText();
    if (text.isEmpty()) return;
    const std::string sorted = SortTextByTime(platform::ToCp932(platform::LfToCrLf(text)));
    // One edit block replacing the whole document: a single undo step, clipboard untouched.
    QTextCursor cursor(memo->document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(platform::FromCp932(platform::CrLfToLf(sorted)));
    cursor.endEditBlock();
    memo->setTextCursor(cursor);
}
