// The "sort by time" command on a memo widget.
#pragma once

class QPlainTextEdit;
class QTextEdit;

// Replaces the memo's text by its lines sorted by time, as one step the user can undo.
// The clipboard is not touched; an empty or read-only memo is left alone.
void SortLinesByTime(QPlainTextEdit* memo);
void SortLinesByTime(QTextEdit* memo);
