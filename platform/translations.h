// Qt's own texts (the standard buttons; the colour, font, file, print and input dialogs; the
// edit menus of text boxes) in Japanese, as the rest of the program speaks.
#pragma once

#include <QString>

namespace platform {

// The folder in which Qt's translations are installed.
QString QtTranslationsFolder();

// Installs Qt's Japanese catalogue ("qtbase_ja.qm") from folder into the application. False,
// and Qt keeps its own English, when the catalogue is missing or unreadable.
bool InstallQtJapanese(const QString& folder = QtTranslationsFolder());

}  // namespace platform
