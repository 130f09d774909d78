#include "view_memo.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>

#include "clipboard.h"
#include "cp932.h"
#include "day_rows.h"

using namespace foundation;

namespace schedule {

namespace {

// Frame and margins of a box: one line of 12 pixels makes a box of 20.
constexpr int kChrome = 8;

}  // namespace

ViewMemo::ViewMemo(QWidget* parent, int linePx) : QTextEdit(parent), linePx_(linePx) {
    setAcceptRichText(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    document()->setDocumentMargin((kChrome - 2 * frameWidth()) / 2.0);
    ApplyLineHeight();
}

void ViewMemo::ApplyLineHeight() {
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    QTextBlockFormat f;
    f.setLineHeight(linePx_, QTextBlockFormat::FixedHeight);
    c.mergeBlockFormat(f);
}

std::string ViewMemo::TextCp932() const {
    return platform::LfToCrLf(platform::ToCp932(toPlainText()));
}

void ViewMemo::SetTextCp932(const std::string& text) {
    QTextDocument* doc = document();
    doc->setUndoRedoEnabled(false);
    setPlainText(platform::CrLfToLf(platform::FromCp932(text)));
    ApplyLineHeight();
    doc->setUndoRedoEnabled(true);
    doc->setModified(false);
}

QString ViewMemo::SelectedPlainText() const {
    QString text = textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

bool ViewMemo::Modified() const { return document()->isModified(); }

int ViewMemo::DisplayedLines(int boxWidth) {
    QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    // Every new text width lays the whole text out again; the box mostly has it already.
    const qreal textWidth = boxWidth - 2 * frameWidth();
    if (doc->textWidth() != textWidth) {
        // A hidden box that was resized has its viewport sized only when it is shown; the
        // editor, finding its viewport resized during the layout, would lay the text out a
        // second time. Laid out now, it is not.
        if (boxWidth == width() && viewport()->width() != textWidth) setViewportMargins(0, 0, 0, 0);
        doc->setTextWidth(textWidth);
    }
    const int lines = static_cast<int>((doc->size().height() - 2 * margin + linePx_ / 2) / linePx_);
    return lines < 1 ? 1 : lines;
}

void ViewMemo::PasteText() {
    if (!platform::ClipboardHasText()) return;
    textCursor().insertText(platform::Clipboard().Text());
    ensureCursorVisible();
}

void ViewMemo::SetFiller() {
    QTextCursor c(document());
    c.select(QTextCursor::Document);
    c.insertText(QStringLiteral(" "));
    setTextCursor(c);
}

void ViewMemo::GrowForEnter() {
    const bool empty = document()->isEmpty();
    const int lines = empty ? 0 : DisplayedLines(width());
    if (empty) SetFiller();
    resize(width(), MemoHeightForEnter(lines, linePx_));
}

void ViewMemo::FitToText() {
    if (document()->isEmpty()) SetFiller();
    resize(width(), MemoHeight(DisplayedLines(width()), linePx_));
}

void ViewMemo::keyPressEvent(QKeyEvent* e) {
    // The editor takes Enter on an empty line as the end of a formatted paragraph: it would
    // drop the line's fixed height and break no line. Here every Enter breaks the line.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    if (enter && !isReadOnly() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        QTextCursor c = textCursor();
        c.insertBlock();  // with the line's format
        setTextCursor(c);
        ensureCursorVisible();
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

void ViewMemo::resizeEvent(QResizeEvent* e) {
    // The views size a box to its text at the box's width before the box sees its new size;
    // the editor would lay the same text out again at the same width.
    if (e->oldSize().width() != e->size().width() &&
        document()->pageSize() == QSizeF(viewport()->width(), -1)) {
        QResizeEvent laidOut(e->size(), QSize(e->size().width(), e->oldSize().height()));
        QTextEdit::resizeEvent(&laidOut);
        return;
    }
    QTextEdit::resizeEvent(e);
}

bool ViewMemo::CanUndo() const { return document()->isUndoAvailable(); }

bool ViewMemo::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void ViewMemo::insertFromMimeData(const QMimeData* source) {
    // A clipboard that holds no text (its owner gone) must not reach the editor's own paste.
    if (!source || !source->hasText()) return;
    textCursor().insertText(source->text());
}

}  // namespace schedule
