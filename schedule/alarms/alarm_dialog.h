// The dialog of the two chimes, the daily alarm and the countdown. It edits Settings.Alarms
// only; its opener arms the countdown and realigns the minute tick after O.K.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <string>

namespace schedule {

class AlarmEngine;

class TfrmAlm : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;
    static constexpr int kClientWidth = 330;
    static constexpr int kClientHeight = 310;

    explicit TfrmAlm(QWidget* parent = nullptr);
    ~TfrmAlm() override;

    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* ch0_On = nullptr;
    QLineEdit* ch0_fname = nullptr;
    QPushButton* ch0_san = nullptr;
    QCheckBox* ch30_On = nullptr;
    QLineEdit* ch30_fname = nullptr;
    QPushButton* ch30_san = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* alOn = nullptr;
    QComboBox* al_hh = nullptr;
    QComboBox* al_mm = nullptr;
    QLineEdit* al_fname = nullptr;
    QPushButton* al_San = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QCheckBox* ttOn = nullptr;
    QComboBox* al_tt = nullptr;
    QLineEdit* tt_fname = nullptr;
    QPushButton* tt_San = nullptr;
    QPushButton* Button5 = nullptr;
    QPushButton* Button6 = nullptr;
    QFileDialog* OpenDialog1 = nullptr;

    void FormShow();
    // Checks the typed numbers, then copies the controls into Settings.Alarms; false (after
    // a message, nothing changed) when a number is out of range.
    bool Button5Click();
    void ch0_sanClick();
    void ch30_sanClick();
    void al_SanClick();
    void tt_SanClick();

    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormCreate();
    void Browse(QLineEdit* edit);
};

// The dialog while its opener holds it.
extern TfrmAlm* frmAlm;

// Default sound of every slot: AppDir + "/ﾁｬｲﾑ01.wav" (CP932).
std::string DefaultAlarmSound();

// The clock button and the tray's alarm item: opens the dialog modally (or brings an open
// one to the front and returns 0); after O.K arms the countdown and realigns the tick.
// Returns the dialog's result.
int OpenAlarmDialog(QWidget* parent, AlarmEngine& engine);

}  // namespace schedule
