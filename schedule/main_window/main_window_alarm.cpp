// The main window's side of the alarm engine: the clock button, notices and the today move.
#include "alarm_dialog.h"
#include "alarm_engine.h"
#include "main_window.h"
#include "notice_popup.h"

using namespace foundation;

namespace schedule {

namespace {

class MainAlarmHost final : public AlarmHost {
  public:
    explicit MainAlarmHost(TfrTavik& main) : main_(main) {}
    bool IsMinimized() const override { return main_.isMinimized() || !main_.isVisible(); }
    void SetClockCaption(const QString& caption) override { main_.tx_time2->setText(caption); }
    void GoToToday() override { main_.GoToToday(); }
    void ShowNotice(const std::string& text, const std::string& soundFile) override {
        ShowNoticePopup(text, soundFile);
    }
    void LeaveTopmost() override { main_.LeaveTopmost(); }
    void ReturnTopmost() override { main_.ReturnTopmost(); }

  private:
    TfrTavik& main_;
};

}  // namespace

void TfrTavik::StartAlarms() {
    alarmHost_ = std::make_unique<MainAlarmHost>(*this);
    alarm_ = std::make_unique<AlarmEngine>(*alarmHost_);
    connect(tx_time2, &QToolButton::clicked, this, [this] { tx_time2Click(); });
}

void TfrTavik::tx_time2Click() { OpenAlarmDialog(this, *alarm_); }

void TfrTavik::ParseTodayEvents(const std::string& dayText) {
    if (alarm_ && !todayEventsStopped_) ParseDayEvents(dayText);
}

}  // namespace schedule
