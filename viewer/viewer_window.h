// The viewer's only window: another user's month as a column of read-only day rows.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QStringList>
#include <QTextEdit>
#include <string>

namespace viewer {

class TfrTuki : public QMainWindow {
    Q_OBJECT

  public:
    // args: the command-line arguments after the program, as they came.
    explicit TfrTuki(const QStringList& args, QWidget* parent = nullptr);
    ~TfrTuki() override;

    // Reads the arguments at the first call only: shows the month, or the usage and closes
    // (false).
    bool FormActivate();
    void ShowMonth(int year, int month);
    // Fills one row; returns the top of the next.
    int SetDayRow(QLabel* header, QTextEdit* memo, int day, int month, int year, int top);

    void mnuBkClick();
    void mnuNeClick();
    void mnuTukiJpClick();
    void mnuVerClick();

    std::string UserName;  // CP932

    QLabel* Panel2 = nullptr;
    QLabel* pyo = nullptr;
    QLabel* yod[32] = {};    // [1..31]
    QTextEdit* yo[32] = {};  // [1..31]

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void FormResize();
    // The height of the window that shows every row, at most the screen's.
    void FitHeight(int rowsBottom);

    QStringList args_;
    bool activated_ = false;
    bool placed_ = false;
    QScrollArea* scroll_ = nullptr;
    QWidget* rows_ = nullptr;
};

extern TfrTuki* frTuki;

}  // namespace viewer
