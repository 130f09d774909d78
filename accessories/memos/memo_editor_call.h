// How the notes and the memo index open a text memo in the memo editor: modally, on the file's
// path and the text to start with.
#pragma once

#include <string>

class QWidget;

namespace accessories {

// True when the editor saved the file; text is then the text it saved (CP932, CR LF).
bool EditMemoFile(QWidget* parent, const std::string& path, std::string& text);

}  // namespace accessories
