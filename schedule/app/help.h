// The help document beside the program, opened with the desktop's viewer.
#pragma once

#include <string>

// AppDir + "/orsel.html".
std::string HelpFilePath();
// Opens the help document when it exists; otherwise nothing happens.
void OpenHelp();
