// Builders for the controls that dialogs place at fixed pixel positions. Captions are UTF-8;
// names are object names, as tests and the windows' own logic look controls up.
#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QRect>
#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QVBoxLayout;

namespace foundation {

// An editable combo box whose typed value is read as it stands and never becomes an item.
QComboBox* MakeCombo(QWidget* parent, const char* name, const QRect& geometry);
QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                        const QRect& geometry);
// A label and a check box as large as their captions, with the top-left corner at left, top.
QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int left, int top);
// A label nothing looks up.
QLabel* MakeLabel(QWidget* parent, const char* caption, int left, int top);
QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, int left, int top);
QLineEdit* MakeEdit(QWidget* parent, const char* name, const QRect& geometry);

// The menu bar "MainMenu1" over a vertical layout without margins or spacing that fills the
// window; the window's content goes into the layout returned.
QVBoxLayout* MakeMenuBarLayout(QWidget* window, QMenuBar*& menuBar);

// Whether this is the window's first showing: the work a form does when it is shown runs once,
// not again when the window comes back from being hidden or minimised.
inline bool FirstShow(bool& shown) { return !std::exchange(shown, true); }

}  // namespace foundation
