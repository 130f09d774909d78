// The to-do entry dialog TfrToDoInput: target date, importance, status, project, content and
// link of one item. O.K answers 1 (after the date was checked), every other way out 2.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "date_time.h"
#include "todo_list.h"
#include "todo_projects.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace accessories {

class TfrToDoInput : public QDialog {
  public:
    static constexpr int kResultOk = 1;
    static constexpr int kResultCancel = 2;

    explicit TfrToDoInput(QWidget* parent = nullptr);

    // Set by the opener before showing.
    foundation::TDateTime InitialDate = 0;  // 0: today
    std::string ProjectListPath;

    // The opener's values of an item being edited (CP932).
    void SetItem(const ToDoRow& row);
    // What the boxes hold after O.K; a text nobody edited keeps the item's bytes.
    ToDoEntry Entry() const;

    void Button1Click();
    void bt_sanClick();
    void done(int result) override;

    QFrame* Bevel2 = nullptr;
    QComboBox* cb_yy = nullptr;
    QComboBox* cb_mm = nullptr;
    QComboBox* cb_dd = nullptr;
    QComboBox* cb_Zyuyo = nullptr;
    QComboBox* cb_zyoTai = nullptr;
    QComboBox* cb_prj = nullptr;
    QLineEdit* tx_todo = nullptr;
    QLineEdit* kanren = nullptr;
    QPushButton* bt_san = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void FormCreate();
    void FormShow();

    // The bytes of a box nobody edited, and of a project name taken from the list.
    std::string ProjectBytes(const QString& shown) const;

    ProjectsRead projectsRead_ = ProjectsRead::Missing;
    std::vector<std::string> projectNames_;  // as read and used, CP932
    ToDoRow original_;                       // the item being edited
    bool shown_ = false;
};

}  // namespace accessories
