// The help document beside the program, opened with the desktop's viewer.
#pragma once

#include <string>

namespace foundation {

// AppDir + "/orsel.html".
std::string HelpFilePath();
// Opens the help document; a document that is missing, or that nothing could open, is told in
// a message box.
void OpenHelp();

}  // namespace foundation
