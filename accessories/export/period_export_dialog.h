// The period export dialog: a run of days as aligned text or an HTML page, to a file or the
// clipboard, with its options kept in the options file.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

namespace accessories {

class TfrYoFsave : public QDialog {
    Q_OBJECT

  public:
    explicit TfrYoFsave(QWidget* parent = nullptr);
    ~TfrYoFsave() override;

    // Fills the boxes: the start date from CurYear/CurMonth/CurDay, the options from the options
    // file. Runs at the first showing and after the windows shown over the dialog.
    void FormActivate();
    // Takes the options from the boxes and writes the options file; false (after the message)
    // when a number is wrong, and the dialog then stays open.
    bool FormClose();
    // toFile: the file button (tag 999), else the clipboard button.
    void bt_foutClick(bool toFile);
    void bt_clClick();
    void Button1Click();

    void done(int result) override;

    QComboBox* yy = nullptr;
    QComboBox* mm = nullptr;
    QComboBox* dd = nullptr;
    QComboBox* nday = nullptr;
    QComboBox* in_n = nullptr;
    QLineEdit* ku_moji = nullptr;
    QComboBox* ku_moji_n = nullptr;
    QCheckBox* cb_day = nullptr;
    QCheckBox* cb_sugi = nullptr;
    QCheckBox* ch_html = nullptr;
    QLineEdit* tx_path = nullptr;
    QPushButton* Button1 = nullptr;
    QLineEdit* tx_fname = nullptr;
    QProgressBar* gu = nullptr;
    QPushButton* bt_fout = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* bt_cl = nullptr;
    QPushButton* bt_can = nullptr;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    // The options typed into the boxes; false after the message for a wrong number.
    bool TakeOptions();

    bool shown_ = false;
    bool closing_ = false;
};

// The dialog while one exists.
extern TfrYoFsave* frYoFsave;

// Shows the dialog modally over the month view.
void ShowPeriodExport(QWidget* parent);

}  // namespace accessories
