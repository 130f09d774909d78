// The notice of a timed event, the daily alarm or the end of the countdown: modeless, above
// all windows until confirmed, repeating its sound every 5 seconds when the settings ask.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <memory>
#include <string>

#include "clock.h"

namespace schedule {

class TfrAnnai : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kClientWidth = 320;
    static constexpr int kClientHeight = 112;
    static constexpr int kRepeatMs = 5000;

    explicit TfrAnnai(QWidget* parent = nullptr);
    ~TfrAnnai() override;

    // The notice text (CP932).
    void SetText(const std::string& text);

    QLabel* tx = nullptr;
    QPushButton* btOK = nullptr;
    std::unique_ptr<platform::Timer> Timer1;
    std::string SoundFile;  // the sound to repeat; empty: none

    void Timer1Timer();
    void btOKClick();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

  private:
    void FormCreate();
    void FormClose();
};

// Creates a notice owned by the application, centred on the screen, and shows it modelessly.
TfrAnnai* ShowNoticePopup(const std::string& text, const std::string& soundFile);

}  // namespace schedule
