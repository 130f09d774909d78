// The text box of one day or month in the month and year views: plain text, wrapped, without
// scroll bars, every line exactly one font height high so a box can be sized to its text.
#pragma once

#include <QTextEdit>
#include <string>

namespace schedule {

class ViewMemo : public QTextEdit {
    Q_OBJECT
  public:
    // linePx: the height of one line; the box's frame and margins take 8 pixels together.
    ViewMemo(QWidget* parent, int linePx);

    int LinePx() const { return linePx_; }
    // The text as the program keeps it (CP932, CR LF). Setting it clears the undo history and
    // the modified flag.
    std::string TextCp932() const;
    void SetTextCp932(const std::string& text);
    // The selected text with LF line ends.
    QString SelectedPlainText() const;
    bool Modified() const;
    // Lines the box shows at a width of the whole box (its text laid out at that width).
    int DisplayedLines(int boxWidth);
    // Inserts the clipboard's text; nothing when it holds none.
    void PasteText();
    bool CanUndo() const;
    // The single blank that holds the height of a cleared box, the cursor after it.
    void SetFiller();
    // Before Enter is processed: one line taller than the box shows (a cleared box gets the
    // filler blank).
    void GrowForEnter();
    // As tall as its lines (a cleared box gets the filler blank).
    void FitToText();

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    void ApplyLineHeight();
    int linePx_;
};

}  // namespace schedule
