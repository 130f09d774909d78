#include "help.h"

#include "globals.h"
#include "open_document.h"
#include "paths.h"

std::string HelpFilePath() { return platform::JoinPath(AppDir, "orsel.html"); }

void OpenHelp() {
    const std::string path = HelpFilePath();
    // Paths handed to the system are kept to the program's fixed length.
    if (path.size() > 256 || !platform::FileExists(path)) return;
    platform::OpenDocument(platform::DiskPath(path));
}
