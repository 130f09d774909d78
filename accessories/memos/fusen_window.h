// A memo pinned to the desktop: a borderless coloured window that shows a text memo in its own
// font or a bitmap memo as the picture, and keeps its look in the memo's companion file.
#pragma once

#include <QAction>
#include <QFileSystemWatcher>
#include <QImage>
#include <QMenu>
#include <QWidget>
#include <cstdint>
#include <string>

#include "fusen_ini.h"
#include "settings_record.h"

namespace accessories {

class TfrFusen : public QWidget {
    Q_OBJECT

  public:
    TfrFusen();
    ~TfrFusen() override;

    // The slot in OpenMemoTable (the note's tag).
    int Tag() const { return tag_; }
    void SetTag(int slot) { tag_ = slot; }
    // The memo's path, as its slot holds it now (it follows moves and renames).
    std::string FileName() const;

    // Reads the companion file into the note and its slot; the place is kept on the desktop.
    // One that cannot be read is never written by this note.
    void LoadFusenIni();
    // Writes the companion file once (nothing when already written or not to be written).
    void SaveFusenIni();
    // Writes the companion file for a session save: the note goes on and writes again later
    // (nothing when it is not to be written).
    void WriteLookNow();
    // What the note would write now.
    FusenLook CurrentLook() const;
    // Shows the text (CP932, CR LF) of a text memo.
    void SetText(const std::string& text);
    // Reads the picture of a bitmap memo again.
    void ReloadPicture();
    // Puts the note back on top when its slot asks for it.
    void ReassertTopMost();

    // Menu commands.
    void close1Click();
    void mnuKanrenOpenClick();
    void mnuKanrenEdClick();
    void mnuEditClick();
    void mnuHagasuClick();
    void mnuTextMemoMkClick();
    void mnuBmpMemoMkClick();
    void mnuCopyClick();
    void mnuColClick();
    void mnuTxtClick();
    void mnuTemaeClick();

    uint8_t IniSaved = 0;  // 1: the companion file is written or must not be written
    std::string Text;      // a text memo's text, a bitmap memo's path
    uint32_t BackColor = 65535;
    uint8_t IsBitmap = 0;
    foundation::StoredFont NoteFont;

    QMenu* pmnu = nullptr;
    QAction* close1 = nullptr;
    QAction* mnuKanrenOpen = nullptr;
    QAction* mnuKanrenEd = nullptr;
    QAction* mnuEdit = nullptr;
    QAction* mnuHagasu = nullptr;
    QMenu* New1 = nullptr;
    QAction* mnuTextMemoMk = nullptr;
    QAction* mnuBmpMemoMk = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuHarituke = nullptr;
    QAction* mnuCol = nullptr;
    QAction* mnuTxt = nullptr;
    QAction* mnuTemae = nullptr;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildMenu();
    void WatchPicture();
    void ReleaseSlot();
    Qt::Edges EdgesAt(const QPoint& pos) const;

    int tag_ = -1;
    QString shownText_;
    QImage picture_;
    QFileSystemWatcher watcher_;
    bool leftDown_ = false;
    QPoint pressPos_;
    // The colour dialog starts on what was last chosen in it, not on the background.
    QColor dialogColor_ = Qt::black;
};

// The whole desktop: all screens together.
QRect DesktopRect();

}  // namespace accessories
