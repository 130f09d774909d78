// How the notes and the memo index open a text memo in the memo editor: modally, on the file's
// path and the text to start with. Tests install a runner of their own.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace accessories {

// True when the editor saved the file; text is then the text it saved (CP932, CR LF).
bool EditMemoFile(QWidget* parent, const std::string& path, std::string& text);

using MemoEditorRunner =
    std::function<bool(QWidget* parent, const std::string& path, std::string& text)>;
// nullptr restores the memo editor.
void SetMemoEditorRunner(MemoEditorRunner runner);

}  // namespace accessories
