// The exit notice: greets the user and shows today's and tomorrow's texts, read-only, during the
// shutdown. Created and released by the shutdown.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QString>
#include <QToolButton>
#include <memory>
#include <string>

#include "clock.h"

namespace schedule {

// "今日(" + month + "月" + day + "日)の予定は、" and its tomorrow form.
QString TodayNoticeCaption(int month, int day);
QString TomorrowNoticeCaption(int month, int day);
// Auto-close time of the exit notice: the set time, or a minute when it is 0.
int ExitNoticeInterval(int tmTT);

class Tfryotei2 : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kResultNone = 0;
    static constexpr int kResultOk = 1;
    static constexpr int kClientWidth = 337;
    static constexpr int kClientHeight = 357;

    explicit Tfryotei2(QWidget* parent = nullptr);
    ~Tfryotei2() override;

    QLabel* lb_ai = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QPlainTextEdit* tx_yo = nullptr;   // today, LF line ends in the widget
    QPlainTextEdit* tx_yo2 = nullptr;  // tomorrow
    QPushButton* bt_yes = nullptr;
    QToolButton* pic1 = nullptr;
    std::unique_ptr<platform::Timer> tm1;

    // Label2 and tx_yo (text in CP932, CR LF).
    void SetToday(int month, int day, const std::string& text);
    // Label3 and tx_yo2.
    void SetTomorrow(int month, int day, const std::string& text);
    void SetPicture(const QIcon& icon);

    void FormActivate();
    void tm1Timer();
    void bt_yesClick();
    // A key typed into either memo: the texts cannot be edited at exit.
    void MemoKeyPress();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
};

}  // namespace schedule
