#include "memo_editor_call.h"

#include "memo_editor.h"

namespace accessories {

namespace {
MemoEditorRunner g_runner;
}  // namespace

bool EditMemoFile(QWidget* parent, const std::string& path, std::string& text) {
    if (g_runner) return g_runner(parent, path, text);
    TfrMemo editor(parent);
    editor.MemoFileName = path;
    editor.SetText(text);  // also clears the modified flag
    if (editor.exec() != TfrMemo::kResultSaved) return false;
    text = editor.Text();
    return true;
}

void SetMemoEditorRunner(MemoEditorRunner runner) { g_runner = std::move(runner); }

}  // namespace accessories
