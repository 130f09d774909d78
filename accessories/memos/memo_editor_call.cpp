#include "memo_editor_call.h"

#include "memo_editor.h"
#include "modal_run.h"

namespace accessories {

bool EditMemoFile(QWidget* parent, const std::string& path, std::string& text) {
    TfrMemo editor(parent);
    editor.MemoFileName = path;
    editor.SetText(text);  // also clears the modified flag
    if (platform::RunModal(editor) != TfrMemo::kResultSaved) return false;
    text = editor.Text();
    return true;
}

}  // namespace accessories
