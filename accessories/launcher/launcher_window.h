// The launcher: the 20 registered programs with their icons; a click starts one and closes
// the window.
#pragma once

#include <QDialog>

#include "text_helpers.h"

class QListWidget;

namespace accessories {

class TfrRun : public QDialog {
    Q_OBJECT
  public:
    explicit TfrRun(QWidget* parent = nullptr);
    ~TfrRun() override;

    QListWidget* ListView1;
    foundation::ImageList
        ImageList1;  // image 0: the default icon; then one per entry with a program

    // Fills the list once, however often it runs.
    void FormActivate();
    void ListView1DblClick();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TfrRun* frRun;

}  // namespace accessories
