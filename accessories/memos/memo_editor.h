// The memo editor TfrMemo: a small modal plain-text editor for one file, a memo or the list
// of project names. exec() answers 1 when a changed text was saved on closing, else 2.
#pragma once

#include <QDialog>
#include <string>

class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace accessories {

class TfrMemo : public QDialog {
  public:
    static constexpr int kResultSaved = 1;
    static constexpr int kResultNotSaved = 2;

    explicit TfrMemo(QWidget* parent = nullptr);

    // Set by the opener before showing. The path is CP932.
    std::string MemoFileName;
    uint8_t PrjMode = 0;  // 0: a memo, 1: the project-name list

    // The text box's contents in the program's form (CP932, CR LF); setting it clears the
    // modified flag.
    void SetText(const std::string& cp932);
    std::string Text() const;
    std::string TextWithLastLineEnd() const;
    // Puts the file's text into the box (CP932 bytes as read). False when the file exists but
    // could not be read; a missing file leaves the box empty.
    bool LoadFile(const std::string& path);
    bool Modified() const;

    // Menu handlers.
    void Close1Click();
    void Find2Click();
    void FindNext1Click();
    void mnuDateInsClick();
    void mnuTimeInsClick();
    void FindInMemo();

    // The close question and save; false keeps the window open (the save failed).
    bool FormClose();
    void done(int result) override;

    QPlainTextEdit* tx = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* KI1 = nullptr;

    QString SearchText;
    int LastFoundPos = 0;
    int Searched = 0;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    QAction* AddItem(QMenu* menu, const char* name, const char* caption);

    bool shown_ = false;
    int modalResult_ = kResultNotSaved;
};

}  // namespace accessories
