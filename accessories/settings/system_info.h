// The system information window: a read-only text with the memory and the free disk space.
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace accessories {

class TfrSysinfo : public QDialog {
    Q_OBJECT
  public:
    explicit TfrSysinfo(QWidget* parent = nullptr);
    ~TfrSysinfo() override;

    QPlainTextEdit* Memo1;

    void FormActivate();
    void FillSystemInfo();
    void mnuClClick();

  protected:
    void showEvent(QShowEvent* event) override;
};

extern TfrSysinfo* frSysinfo;

}  // namespace accessories
