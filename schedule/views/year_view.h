// The year view: the year plan as twelve month rows beside twelve small month calendars of the
// same year. Building the calendars loads every month into MonthDays; its opener restores the
// date afterwards.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollArea>
#include <cstdint>
#include <memory>

#include "records.h"
#include "vr_scal.h"

namespace schedule {

class ViewMemo;

class TfrNen : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kFontPx = 12;
    static constexpr int kDesignWidth = 753;
    static constexpr int kDesignHeight = 562;

    explicit TfrNen(QWidget* parent = nullptr);
    ~TfrNen() override;

    // Reads the year's plan and fills the twelve rows.
    void LoadYear(int year);
    // The plan texts the user changed into plan; writes no file. False when the user went back
    // to the texts as typed.
    bool StoreYearText();
    // StoreYearText, then the plan file when anything changed. False when it was not written.
    bool SaveYear();
    int SetMonthRow(QLineEdit* number, ViewMemo* memo, int month, int top);
    void PlaceCalendars(int year);
    void DayMouseDown(int tag);
    void SetYearCaption();

    void FormActivate();
    void FormShow();
    bool FormClose();
    void mnuClClick();
    void mnuZenClick();
    void mnuZiClick();

    uint16_t year = 0;
    std::unique_ptr<foundation::TVr_SCAL> calendars[13];  // [1..12]
    foundation::NEN_YOTEI plan[13];                       // [1..12]

    QMenuBar* MainMenu1 = nullptr;
    QScrollArea* scroll = nullptr;
    QWidget* client = nullptr;  // the window's controls, inside scroll
    QLabel* pyod = nullptr;
    QLabel* pyo = nullptr;
    QLineEdit* yod[13] = {};
    ViewMemo* yo[13] = {};

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void MoveYear(int step);
    void FitClient();

    bool dirty_ = false;
    bool unreadable_ = false;
    bool closing_ = false;
    bool closed_ = false;
};

// The year view while one exists.
extern TfrNen* frNen;

}  // namespace schedule
