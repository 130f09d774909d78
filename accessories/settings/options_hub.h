// The options hub: one button per tool (about box, settings, launcher setup, user holidays,
// anniversaries, system information, help). Each tool closes the hub when it is done.
#pragma once

#include <QDialog>
#include <QIcon>
#include <QPixmap>
#include <cstdint>
#include <string>

class QPushButton;

namespace accessories {

class TfrOp : public QDialog {
    Q_OBJECT
  public:
    explicit TfrOp(QWidget* parent = nullptr);
    ~TfrOp() override;

    QWidget* MainHandle = nullptr;
    uint8_t SettingsChanged = 0;
    // True when a holiday or anniversary list was saved from the hub.
    bool ListsChanged = false;

    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;
    QPushButton* Button4;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* BitBtn1;
    // Hidden pictures: the face bitmap from the opener, and the default face icon after a
    // settings change without an icon file.
    QPixmap pic1;
    QIcon pic2;

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void Button6Click();
    void BitBtn1Click();

  private:
    // Creates an empty list file when there is none; false (after a message) when it failed.
    bool EnsureListFile(const std::string& path);
    void EditList(const std::string& path, int mode, int year);
};

// The hub while its opener holds it.
extern TfrOp* frOp;

}  // namespace accessories
