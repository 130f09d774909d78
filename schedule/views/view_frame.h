// The frame the month and year views share around their rows: name, caption, font, a title bar
// without minimise, and the menu bar over a layout without margins.
#pragma once

class QDialog;
class QMenuBar;
class QVBoxLayout;

namespace schedule {

// name and caption as the view's object name and UTF-8 title; the font is "ＭＳ Ｐゴシック" of
// fontPx pixels. The view's content goes into the layout returned.
QVBoxLayout* SetUpViewFrame(QDialog* view, const char* name, const char* caption, int fontPx,
                            QMenuBar*& menuBar);

}  // namespace schedule
