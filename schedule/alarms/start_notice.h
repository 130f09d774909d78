// The start notice: greets the user and shows one day's text for editing at start-up; the same
// window serves as the enlarged day view. It lives for the whole run (frYotei).
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
#include "date_time.h"

namespace schedule {

// Greeting of both notices by the hour of day (0-23).
struct Greeting {
    const char* words;  // UTF-8, e.g. "おはようございます。"
    const char* wav;    // voice file shipped with the program
};
Greeting GreetingForHour(int hour);
// name (CP932) + "さん、" + the greeting words.
QString GreetingText(const std::string& name, int hour);

// The start notice is due when the settings file exists and the last start lies more than
// 3 minutes from now or the settings file is at least a day old (age -1: unknown).
bool ShouldShowStartNotice(bool iniExists, foundation::TDateTime lastStart, int iniAgeDays);
// The same rule for the exit notice with the last exit; Settings.asu_flg is the caller's.
bool ShouldShowExitNotice(bool iniExists, foundation::TDateTime lastExit, int iniAgeDays);

class TfrYotei : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kResultNone = 0;
    static constexpr int kResultOk = 1;
    static constexpr int kClientWidth = 337;
    static constexpr int kClientHeight = 281;

    explicit TfrYotei(QWidget* parent = nullptr);
    ~TfrYotei() override;

    QLabel* lb_ai = nullptr;
    QLabel* ti = nullptr;
    QPlainTextEdit* tx_yo = nullptr;  // LF line ends in the widget
    QLabel* Label1 = nullptr;
    QPushButton* bt_yes = nullptr;
    QToolButton* pic1 = nullptr;
    // Auto-close; interval 0 = stays until closed. The opener sets it before showing.
    std::unique_ptr<platform::Timer> tm1;

    // The memo's text in the program's form (CP932, CR LF).
    std::string MemoText() const;
    void SetMemoText(const std::string& cp932CrLf);
    // The memo's text as shown (also one still waiting for the notice to show).
    QString ShownText() const;
    void SetShownText(const QString& text);
    // The opener hands over the launcher button's picture.
    void SetPicture(const QIcon& icon);

    // Handlers, public so the opener and the tests can drive them.
    void FormActivate();
    void FormShow();
    void tm1Timer();
    void FormClose();
    void bt_yesClick();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

// The one start notice while it exists.
extern TfrYotei* frYotei;

namespace notice_detail {
// Shared by both notices: frame, fonts and the pieces they have in common.
void SetUpFrame(QDialog* dialog, const char* objectName, const char* caption, int width,
                int height);
// fitNow false: the caller sizes the label to its text before it shows.
QLabel* MakeBoldLabel(QWidget* parent, const char* name, const char* caption, int left, int top,
                      bool fitNow = true);
QPlainTextEdit* MakeMemo(QWidget* parent, const char* name, const QRect& geometry, bool readOnly);
QToolButton* MakePicture(QWidget* parent);
QPushButton* MakeOkButton(QWidget* parent, const QRect& geometry);
void CentreOnScreen(QWidget* window);
// Sets lb_ai from the hour, plays the greeting voice unless sounds are off, focuses bt_yes.
void Greet(QLabel* lb_ai, QPushButton* bt_yes);
// The memo's text (CP932, CR LF); a long text for a hidden memo is put in when it shows.
std::string MemoText(const QPlainTextEdit* memo);
void SetMemoText(QPlainTextEdit* memo, const std::string& cp932CrLf);
// Called as the notice shows.
void ShowPendingText(QPlainTextEdit* memo);
}  // namespace notice_detail

}  // namespace schedule
