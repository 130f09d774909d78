#include "memo_editor_call.h"

namespace {
MemoEditorRunner g_runner;
}  // namespace

bool EditMemoFile(QWidget* parent, const std::string& path, std::string& text) {
    if (g_runner) return g_runner(parent, path, text);
    return false;
}

void SetMemoEditorRunner(MemoEditorRunner runner) { g_runner = std::move(runner); }
