// Modal dialog that asks for a year and a month to jump to; with the month hidden it asks
// for a year only. Callers read the combo texts themselves after a result of 1.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <string>

namespace foundation {

class TfrJp : public QDialog {
    Q_OBJECT

  public:
    // Dialog results: O.K closes with 1; Cancel, Esc and the title bar close with 2.
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit TfrJp(QWidget* parent = nullptr);
    ~TfrJp() override;

    // Hides the month and centres the year box, for asking a year only.
    void SetYearOnly();
    // Moves the dialog to the top-left corner of the owner's window.
    void PlaceAt(QWidget* owner);

    void done(int result) override;

    QComboBox* cb_yy = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cb_mm = nullptr;
    QLabel* Label2 = nullptr;
    QFrame* Bevel1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

  private:
    void FormCreate();
};

// The dialog while one exists.
extern TfrJp* frJp;

// Reads the texts of the year and month boxes as decimal numbers (blanks around them
// allowed). False when either is no number, the year is outside 1-9999 or the month outside
// 1-12; year and month are then left unchanged.
bool ParseJumpTarget(const std::string& yearText, const std::string& monthText, int& year,
                     int& month);
bool ParseJumpTarget(const QString& yearText, const QString& monthText, int& year, int& month);

}  // namespace foundation
