// The editor of the user holidays of a year ("<year>.hol") and of the anniversaries
// ("ukinen.txt"): modal, the list lives in the window until O.K writes the file.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "holiday_list.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace schedule {

class TfrHolSet : public QDialog {
    Q_OBJECT
  public:
    explicit TfrHolSet(QWidget* parent = nullptr);

    // Set by the opener before the window is shown.
    std::string ListFile;  // CP932 path
    uint16_t ListYear = 0;
    uint8_t ListMode = 0;  // 0 user holidays of ListYear, 1 anniversaries

    // True once O.K has written the file.
    bool Saved() const { return saved_; }
    const HolidayList& List() const { return list_; }

    QGroupBox* GroupBox2;
    QComboBox* tuki;
    QLabel* Label1;
    QComboBox* hi;
    QLabel* Label2;
    QLineEdit* tx;
    QPushButton* bt_cl;
    QPushButton* bt_input;
    QGroupBox* GroupBox1;
    QLabel* pa;
    QListWidget* lbo;
    QPushButton* bt_del;
    QPushButton* bt_ok;
    QPushButton* bt_can;

    void FormShow();
    void bt_inputClick();
    void lboClick();
    void bt_delClick();
    void tukiChange();
    void bt_clClick();
    void bt_okClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void ShowEntries(int selected = -1);

    HolidayList list_;
    bool readFailed_ = false;
    std::string picked_;  // the text of the entry picked last, as read (CP932)
    bool saved_ = false;
};

// The holiday and anniversary fields of MonthDays read again, so that the calendar shows an
// edited list at once; the day texts are not touched.
void ReloadMonthHolidayLists();

}  // namespace schedule
