// The folder picker: a mounted file system in a combo box above its folder tree.
#pragma once

#include <QDialog>
#include <string>

class QComboBox;
class QFileSystemModel;
class QFrame;
class QLabel;
class QPushButton;
class QTreeView;

namespace foundation {

class TfrPath : public QDialog {
    Q_OBJECT
  public:
    explicit TfrPath(QWidget* parent = nullptr);

    // Folder (CP932) the tree opens at; a missing folder opens its nearest existing parent.
    void SetStartFolder(const std::string& folder);
    // The folder the tree stands at now (CP932): the highlighted folder, else the root of the
    // chosen file system.
    std::string CurrentFolder() const;

    // The chosen folder after O.K, empty otherwise. The root stays "/".
    std::string SelectedPath;

    QFrame* Panel1;
    QLabel* Label1;
    QComboBox* drBox;
    QLabel* Label2;
    QTreeView* dlistbox;
    QPushButton* Button1;
    QPushButton* Button2;

    void FormActivate();
    void Button1Click();
    void Button2Click();
    void drBoxChange();

    // Every way of closing: anything but O.K leaves SelectedPath empty.
    void done(int r) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FillDrives();
    void ShowRoot(const QString& root);

    QFileSystemModel* model_;
    QString root_ = QStringLiteral("/");
    QString startPath_;  // until its folder has been read
};

// The picker while it is shown; nullptr otherwise.
extern TfrPath* frPath;

}  // namespace foundation
