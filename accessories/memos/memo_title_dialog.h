// The title and category of a new memo.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <string>

namespace accessories {

class TfrMemoTiInp : public QDialog {
    Q_OBJECT

  public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit TfrMemoTiInp(QWidget* parent = nullptr);

    // O.K first asks about characters of the title that CP932 cannot hold; back to the title
    // as typed keeps the dialog open.
    void done(int result) override;
    // Fills the category list from the memo folder and selects "標準".
    void FormShow();
    // The title (CP932) and the category folder name ("" for "標準").
    std::string Title() const;
    std::string Category() const;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* tx = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QComboBox* cb_dir = nullptr;
    QPushButton* bt_ok = nullptr;
    QPushButton* bt_can = nullptr;
};

// Runs the dialog modally (FormShow first); true when O.K confirmed it.
bool RunMemoTitleDialog(TfrMemoTiInp& dialog);

}  // namespace accessories
