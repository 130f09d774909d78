// The about box: the program's name and version, the face picture and the contact links.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace accessories {

class TfrVer : public QDialog {
    Q_OBJECT
  public:
    explicit TfrVer(QWidget* parent = nullptr);
    ~TfrVer() override;

    QLabel* Label1;
    QFrame* Bevel1;
    QFrame* Bevel2;
    QLabel* Label6;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label8;
    QPushButton* BitBtn1;
    QPushButton* pic1;  // the opener puts the face picture into it

    void FormActivate();
    void Label4Click();
    void Label5Click();

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TfrVer* frVer;

// Where the links lead.
extern const char kContactMail[];
extern const char kHomePage[];

}  // namespace accessories
