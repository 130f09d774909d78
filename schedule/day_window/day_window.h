// The day window: the selected day's schedule text beside the calendar.
#pragma once

#include <QLabel>
#include <QPlainTextEdit>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <string>

#include "encodable_text.h"

class QAction;
class QMenu;

namespace schedule {

class TfrYo3 : public QWidget {
    Q_OBJECT
  public:
    explicit TfrYo3(QWidget* parent = nullptr);
    ~TfrYo3() override;

    QLabel* lb = nullptr;             // date caption + "の予定"
    QPlainTextEdit* tx_yo = nullptr;  // the day's text (LF line ends in the widget)
    QMenu* PopupMenu2 = nullptr;      // popup menu of tx_yo

    // The memo's text in the program's form (CP932, CR LF), as shown.
    std::string MemoText() const;
    // Fills the memo; it then counts as unedited.
    void SetMemoText(const std::string& cp932CrLf);
    // The text for storing when the memo was edited since it was filled (TakeEditedText).
    foundation::TextTake TakeEditedText(std::string& cp932CrLf);
    // A text edited elsewhere (the enlarged view) comes back as an edit of the memo; the same
    // text leaves the memo as it is.
    void TakeEdit(const QString& text);

    // The main window beside it, set at start-up: its restore item is offered while that one
    // is hidden, and Tab hands it the focus while it is shown. Unset: the main window counts as
    // visible and Tab does nothing.
    void SetMainWindow(QWidget* main) { mainWindow_ = main; }

    // Scroll bars from Settings.scl and the follow tick from Settings.rendo; the main window
    // calls this once at start-up after the settings are read.
    void ApplyStartSettings();
    bool HasScrollBars() const { return scrollBars_; }

    // Handlers, public so the main window and the tests can drive them.
    void FormShow();
    void FormResize();
    void FormDeactivate();
    // True when the key was one of the window's own keys.
    bool FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void tx_yoKeyUp(int key);
    void PopupMenu2Popup();
    void mnuYoWizClick(int tag);
    void mnuYoSortClick();
    void mnuNenClick(int tag);    // program submenu
    void mnuToDayClick(int tag);  // date submenu
    void mnuFukugenClick();
    void Undo1Click();
    void Cut1Click();
    void Copy1Click();
    void mnuAllCopyClick();
    void mnuNenCopyClick();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void mnuSclBarClick();
    void mnuRendoClick();
    void Exit1Click();

  protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

  private:
    QPointer<QWidget> mainWindow_;
    void BuildMenu();
    QAction* Item(QMenu* menu, const char* name, const char* caption, int tag = 0);
    void SetScrollBars(bool on);
    // Frame edges under a point of the window; empty inside.
    Qt::Edges EdgesAt(const QPoint& windowPos) const;
    void BeginDrag(const QPoint& globalPos, Qt::Edges edges);
    void DragTo(const QPoint& globalPos);
    void EndDrag();

    bool scrollBars_ = true;
    bool layingOut_ = false;
    // Manual move or resize, when the window system cannot do it for us.
    enum class Drag { None, Pending, System, Manual };
    Drag drag_ = Drag::None;
    Qt::Edges dragEdges_;
    QPoint dragStart_;
    QRect dragGeometry_;
};

extern TfrYo3* frYo3;

}  // namespace schedule
