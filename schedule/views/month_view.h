// The month view: one row per day of the month on show, a coloured header and the day's text,
// each row as tall as its text. Works on CurYear/CurMonth and MonthDays while it is open.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <string>

namespace schedule {

class ViewMemo;

class TfrTuki : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kFontPx = 12;
    static constexpr int kHeaderBarHeight = 25;
    static constexpr int kSplitterWidth = 4;

    explicit TfrTuki(QWidget* parent = nullptr);
    ~TfrTuki() override;

    // Makes (year, month) the month on show: CurYear/CurMonth, MonthDays from its files, the
    // caption and the rows. CurDay is not touched.
    void ShowMonth(int year, int month);
    // The texts the user changed on the shown days into MonthDays; writes no file. False when
    // the user went back to the texts as typed: what depends on them stops.
    bool StoreMonthText();
    // StoreMonthText, then the month's files when anything changed since they were read.
    // False (the store has said why) when they could not be written.
    bool SaveMonth();
    // Fills one row and returns the top of the next one.
    int SetDayRow(QLabel* header, ViewMemo* memo, int day, int month, int year, int top);
    void wSizeSet();
    void memoH_resize(QObject* memo);
    // Sets the bounds the opener keeps in the settings (top, left, width, height).
    void PlaceAt(int top, int left, int width, int height);

    // Handlers, public so the opener and the tests can drive them.
    void mnuBkClick();
    void mnuNeClick();
    void mnuTukiJpClick();
    void mnuMakuBiSetClick();
    void mnuYoWizClick(int tag);
    void mnuYoUezaClick();
    void mnuYoSortClick();
    void mnuSortAllClick();
    void mnuGlClick();
    void mnuPrClick();
    void mnuPrSyClick();
    void expo_staClick();
    void expo_csvClick();
    void expo_htmlClick();
    void Close1Click();
    void PopupMenu2Popup();
    void Undo1Click();
    void Cut1Click();
    void Copy1Click();
    void mnuAllCopyClick();
    void mnuNenCopyClick();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void FormShow();
    void FormActivate();
    void sb1MouseWheel(bool up);
    // The close: stores and saves, keeps the bounds. False keeps the window open.
    bool FormClose();

    QMenuBar* MainMenu1 = nullptr;
    QWidget* Panel1 = nullptr;
    QSplitter* Splitter1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* pyo = nullptr;
    QScrollArea* sb1 = nullptr;
    QWidget* rows = nullptr;  // inside sb1
    QLabel* yod[32] = {};     // [1..31]
    ViewMemo* yo[32] = {};    // [1..31]
    QMenu* PopupMenu2 = nullptr;

    void done(int result) override;

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

  private:
    void BuildMenus();
    void BuildRows();
    ViewMemo* FocusedMemo() const;
    void Restack(int day);
    void FitAllRows();
    void SetHeaderMark(int day, bool on);
    // Stores and saves; true when the month may be left.
    bool LeaveMonth();
    void FocusDay(int day);
    void RunWizard(int tag, bool onFocusedDay);
    int ShownDays() const;

    bool dirty_ = false;
    bool sizing_ = false;
    bool closing_ = false;
    bool closed_ = false;
    int fittedWidth_ = -1, fittedDateWidth_ = -1;
    bool roomSized_ = false;  // the rows' room has had its first size
};

// The month view while one exists.
extern TfrTuki* frTuki;

}  // namespace schedule
