// The schedule input wizard: composes schedule lines from choices and appends them to the
// days of the month files. Four pages: daily entries, monthly rules, program runs, notices.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <vector>

namespace schedule {

class TfrTkInput : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 552;
    static constexpr int kClientHeight = 399;

    explicit TfrTkInput(QWidget* parent = nullptr);
    ~TfrTkInput() override;

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;

    QComboBox *yy = nullptr, *mm = nullptr, *dd = nullptr, *n_nichi = nullptr;
    QComboBox *hh = nullptr, *mi = nullptr, *hh2 = nullptr, *mi2 = nullptr;
    QCheckBox* cb_noTime = nullptr;
    QComboBox *yo = nullptr, *ba = nullptr;
    QPushButton *Button2 = nullptr, *Button3 = nullptr, *Button1 = nullptr;

    QComboBox *mai_yy = nullptr, *mai_mm = nullptr, *mai_yy2 = nullptr, *mai_mm2 = nullptr;
    QComboBox *mai_dai = nullptr, *mai_youbi = nullptr, *mai_Youbi2 = nullptr, *mai_Tuki = nullptr;
    QCheckBox *ch_maiDai = nullptr, *ch_maiYou = nullptr, *ch_maiTuki = nullptr;
    QPlainTextEdit* mai_txt = nullptr;
    QPushButton *mai_bt_in = nullptr, *mai_bt_cl = nullptr, *Button7 = nullptr;

    QComboBox *p_yy = nullptr, *p_mm = nullptr, *p_dd = nullptr, *p_hh = nullptr, *p_mi = nullptr;
    QLineEdit* p_txt = nullptr;
    QPushButton *bt_prgSan = nullptr, *p_bt_in = nullptr, *p_bt_cl = nullptr, *Button10 = nullptr;

    QComboBox *z_yy = nullptr, *z_mm = nullptr, *z_dd = nullptr, *z_hh = nullptr, *z_mi = nullptr;
    QLineEdit* z_txt = nullptr;
    QPushButton *z_bt_in = nullptr, *z_bt_cl = nullptr, *Button8 = nullptr;

    // Handlers, public so that tests drive them.
    void FormShow();
    void FormClose();
    void Button2Click();
    void Button3Click();
    void Button1Click();
    void cb_noTimeClick();
    void yoKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void mai_bt_inClick();
    void mai_bt_clClick();
    void p_bt_inClick();
    void p_bt_clClick();
    void bt_prgSanClick();
    void z_bt_inClick();
    void z_bt_clClick();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void BuildDailyPage();
    void BuildMonthlyPage();
    // Year, month, day, hour and minute boxes of an event page, named prefix + "_yy" and so on.
    struct WhenBoxes {
        QComboBox *yy = nullptr, *mm = nullptr, *dd = nullptr, *hh = nullptr, *mi = nullptr;
    };
    WhenBoxes BuildWhenRow(QWidget* page, const char* prefix, const char* tail);
    void BuildProgramPage();
    void BuildNoticePage();
    void FillYears(QComboBox* box);
    void SelectCurrentDate(QComboBox* year, QComboBox* month, QComboBox* day);
    void SetClearYear(QComboBox* box);

    std::vector<int> years_;
    int thisYear_ = 0;
    bool shown_ = false;
    bool closed_ = false;
};

// The wizard while one exists.
extern TfrTkInput* frTkInput;

}  // namespace schedule
