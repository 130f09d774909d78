// The dialog that links a file or web address to a sticky note.
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace accessories {

class TfrKanren : public QDialog {
    Q_OBJECT

  public:
    // O.K closes with 1; Cancel, Esc and the title bar with 2.
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit TfrKanren(QWidget* parent = nullptr);

    void done(int result) override;
    // Puts the chosen file's full path into tx.
    void bt_sanClick();

    QFrame* Bevel1 = nullptr;
    QLineEdit* tx = nullptr;
    QPushButton* bt_san = nullptr;
    QPushButton* bt_OK = nullptr;
    QPushButton* bt_Can = nullptr;
};

// The filter of the file picker, in Qt's form.
QString KanrenFileFilter();

}  // namespace accessories
