// The launcher setup: a grid of the 20 entries (name, program) saved into the launcher list.
#pragma once

#include <QDialog>

class QAction;
class QMenu;
class QMenuBar;
class QTableWidget;

namespace accessories {

class TfrSetPrg : public QDialog {
    Q_OBJECT
  public:
    explicit TfrSetPrg(QWidget* parent = nullptr);
    ~TfrSetPrg() override;

    QTableWidget* sg;
    QMenuBar* MainMenu1;
    QAction* mnuCl;
    QAction* mnuCan;
    QMenu* PopupMenu1;
    QAction* mnuSan;
    QAction* mnuDel;

    void mnuSanClick();
    void mnuDelClick();
    // Saves the grid; false (after a message, the window stays open) when the list could
    // not be written.
    bool mnuClClick();
    void mnuCanClick();

  private:
    void FormCreate();
};

extern TfrSetPrg* frSetPrg;

}  // namespace accessories
