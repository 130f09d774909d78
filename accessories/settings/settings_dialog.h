// The settings dialog: every setting the user may change, on eight pages, plus the shortcuts
// in the autostart folder and on the desktop. It edits Settings in memory only.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>

#include "settings_record.h"
#include "shell_link.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace foundation {
class TSpeedButtonVR;
}

namespace accessories {

class TfrSet : public QDialog {
    Q_OBJECT
  public:
    explicit TfrSet(QWidget* parent = nullptr);
    ~TfrSet() override;

    QPushButton* pic1;
    QLabel* Label1;
    QLineEdit* tx_name;
    QTabWidget* PageControl1;
    QPushButton* Button3;  // O.K
    QPushButton* Button5;  // cancel
    QPushButton* bt_help;
    // The built-in face pictures, for the options hub.
    QIcon pic_ico;
    QPixmap pic_bmp;
    foundation::TShellLink ShellLink1;

    QLineEdit* tx_path;
    QPushButton* Button1;
    QLineEdit* tx_memo;
    QPushButton* Button6;
    QLineEdit* tx_ni_dir;
    QPushButton* Button7;

    QCheckBox* ch_cal;
    QCheckBox* ch_zen;
    QCheckBox* ch_memo;
    QCheckBox* ch_ico;
    QComboBox* yoAruDsp;
    QCheckBox* ch_wareki;
    QCheckBox* ch_roku;
    QCheckBox* cb_endCHK_nasi;
    foundation::TSpeedButtonVR* bt_date;
    QPushButton* BitBtn1;
    QFrame* shape1;
    QLabel* sh1;
    QPushButton* bt_mojiColor;
    QCheckBox* cbWeekNoDsp;
    QComboBox* cbStYoubi;
    QPushButton* btWeCol[8];  // btWeCol20 .. btWeCol27

    QLineEdit* tx_oshi;
    QCheckBox* ch_kai;
    QLineEdit* tx_todo;
    QCheckBox* ch_kyou;
    QCheckBox* ch_asu;
    QCheckBox* alm_Znaru;
    QComboBox* cb_tm1;

    QLineEdit* tx_ico;
    QPushButton* Button2;
    QLineEdit* tx_bmp;
    QPushButton* Button4;

    QLineEdit* tx_ni_prg;
    QPushButton* Button8;
    QLineEdit* tx_ni_tmp;
    QPushButton* Button9;

    QFrame* memo_Col;
    QLabel* memo_pv;
    QPushButton* btMemoFontHen;
    QPushButton* btMemoFontCol;  // the memo font's colour
    QPushButton* btMemoColHen;

    QLineEdit* tx_hot_key;

    QPushButton* bt_StupSet;
    QPushButton* bt_StupUnSet;
    QPushButton* bt_DtopSet;
    QPushButton* bt_DtopUnSet;

    // Puts the stored values back into the controls (at the first show and after the
    // dialog's own message boxes).
    void FormActivate();
    // Checks, copies into Settings and closes when the data folders exist; false when the
    // dialog stays open.
    bool Button3Click();
    void Button1Click();
    void Button6Click();
    void Button7Click();
    void Button2Click();
    void Button4Click();
    void Button8Click();
    void Button9Click();
    void bt_mojiColorClick(QPushButton* button);
    void btMemoColHenClick();
    void btMemoFontHenClick();
    void btMemoFontColClick();
    void bt_StupSetClick(int tag);
    void bt_DtopSetClick(int tag);
    void bt_helpClick();

    // The stored colour a colour control shows.
    static uint32_t StoredColor(const QWidget* control);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildFolderPage();
    void BuildDisplayPage();
    void BuildNoticePage();
    void BuildFacePage();
    void BuildDiaryPage();
    void BuildMemoPage();
    void BuildOtherPage();
    void BuildShortcutPage();
    void CentreOnScreen();
    void PickFolderInto(QLineEdit* box);
    void ShowFacePicture(const QString& path);
    void SetTextColor(QWidget* control, uint32_t stored);
    void SetMemoColor(uint32_t stored);
    void ShowMemoFont();
    void Shortcut(foundation::TShellLinkType type, int tag, const char* setMessage,
                  const char* removeMessage);
    bool HotKeyTyped(const QString& text);

    foundation::StoredFont memoFont_;
    QColor lastColor_ = Qt::black;
};

// The dialog while its opener holds it.
extern TfrSet* frSet;

// Opens the dialog modally and releases it.
void RunSettingsDialog(QWidget* parent = nullptr);

}  // namespace accessories
