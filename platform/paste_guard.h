// Safe pasting in every text box of the program.
//
// Qt 6.4's text boxes crash when they paste clipboard data that has no formats at all (the
// owner of a copy went away and no clipboard manager kept it). One application-wide filter
// makes every paste key, middle-click and paste menu item do nothing, and shows the paste
// menu items disabled, while the clipboard holds no text.
#pragma once

class QAction;
class QObject;

namespace platform {

// Installs the filter on the application once; later calls do nothing.
void InstallPasteGuard();

// True when a menu item pastes text: the text boxes' own item, an item with the paste
// shortcut, or one of the program's "貼り付け" items.
bool IsPasteAction(const QAction* action);

}  // namespace platform
