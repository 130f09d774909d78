// Typed text on its way into the program's CP932 files: a character that CP932 cannot hold is
// never replaced silently. The user is shown which ones, and either goes back to the text as
// typed (nothing is stored) or stores the text without them.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QLineEdit;
class QTextDocument;

namespace foundation {

// What came of taking a box's text for storing.
enum class TextTake { Unedited, Taken, Refused };

// True: store the texts, out of which the characters CP932 cannot hold have been taken;
// false: the user goes back to the text as typed and nothing may be stored. Asks once for all
// the texts, and only when one holds such a character. Where nobody can answer (a termination)
// they are taken out and the error output says which.
bool ConfirmEncodable(const std::vector<QString*>& texts);
bool ConfirmEncodable(QString& text);

// The same for text boxes: on "store without them" the characters leave the documents too, as
// one step the user can undo. refusedAt: the first document holding such a character when the
// user went back.
bool ConfirmDocuments(const std::vector<QTextDocument*>& documents, int* refusedAt = nullptr);

// The same for one-line boxes (a null one is skipped); going back, the first box holding such
// a character takes the focus.
bool ConfirmLineEdits(const std::vector<QLineEdit*>& boxes);

// The question naming the characters, and the note of a termination that took them out.
QString UnencodableQuestion(const QStringList& characters);
QString UnencodableDroppedNote(const QStringList& characters);

// What a box that was filled with `original` (CP932) stores: those very bytes while it still
// shows them unchanged, so that text nobody edited keeps its codes; else its text in CP932.
std::string StoredText(const QString& shown, const std::string& original);

}  // namespace foundation
