// Opening memos as sticky notes and creating new memos.
#pragma once

#include <QPoint>
#include <functional>
#include <string>

class QWidget;

namespace accessories {

class TfrFusen;

// Shows the memo as a sticky note placed at topLeft unless its companion file says otherwise.
// mustExist: a missing file opens nothing. A note already open for the path is raised instead.
// newMemo: the note takes the colour and font the settings give new notes. A memo that exists
// but cannot be read opens nothing (an edit would overwrite it) and the user is told. Returns
// the new note, or nullptr.
TfrFusen* OpenFusen(const std::string& path, bool isBitmap, bool mustExist, QPoint topLeft,
                    bool newMemo = false);

// A new text memo: asks its title and category, runs the memo editor on the new file and opens
// the saved memo as a note. Returns the memo's path when it was saved, else "".
std::string NewTextMemo(QWidget* owner, QPoint noteTopLeft);

// A new bitmap memo: asks its title and category, copies the blank picture there and starts
// the image editor; when that has ended, the memo opens as a note (placed at noteTopLeft()) and
// done runs. Returns the memo's path when the editor started, else "".
std::string NewBitmapMemo(QWidget* owner, std::function<QPoint()> noteTopLeft,
                          std::function<void()> done);

// The blank picture that new bitmap memos start from.
std::string BlankBitmapPath();

// Every open note.
void ForEachNote(const std::function<void(TfrFusen&)>& visit);

// Writes the list of open notes; when it cannot be written the user may try again or go on
// without it. False when it was not written.
bool SaveOpenNoteList();

// A save that the session may outlive: every note writes its companion file and goes on
// working (a later change is written again), and the list of open notes is written.
void SaveNotesForSession();

}  // namespace accessories
