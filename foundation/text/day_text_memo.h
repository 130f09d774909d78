// The program's text on memo widgets: moving it in and out, and the "sort by time" command.
#pragma once

#include <string>

#include "encodable_text.h"

class QPlainTextEdit;
class QTextEdit;

namespace foundation {

// Replaces the memo's text by its lines sorted by time, as one step the user can undo.
// The clipboard is not touched; an empty or read-only memo is left alone.
void SortLinesByTime(QPlainTextEdit* memo);
void SortLinesByTime(QTextEdit* memo);

// The memo's text in the program's form (CP932, CR LF).
std::string MemoPlainText(const QPlainTextEdit* memo);
// Shows a text of the program's form; the memo then counts as unedited. A memo that already
// holds it is left alone: laying out a long line again costs time in proportion to its length
// for nothing.
void SetMemoPlainText(QPlainTextEdit* memo, const std::string& cp932CrLf);
// The memo's text for storing (CP932, CR LF) when it was edited since it was filled, after the
// user was asked about characters CP932 cannot hold; taking it makes the memo unedited again.
// An unedited memo gives nothing to store: the text it was filled with keeps its bytes.
TextTake TakeEditedText(QPlainTextEdit* memo, std::string& cp932CrLf);

}  // namespace foundation
