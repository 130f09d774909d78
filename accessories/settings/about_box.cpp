#include "about_box.h"

#include <QApplication>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>

#include "cp932.h"
#include "open_document.h"
#include "title_bar.h"

namespace accessories {

TfrVer* frVer = nullptr;

const char kContactMail[] = "kolvane@example.org";
const char kHomePage[] = "https://kolvane.example.org/";

namespace {

QLabel* Link(QWidget* parent, const char* name, const QString& text, int left, int top, bool blue,
             bool times, const QString& hint) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    if (times) l->setFont(QFont(QStringLiteral("Times New Roman"), 10));
    if (blue) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, Qt::blue);
        l->setPalette(p);
    }
    l->setCursor(Qt::PointingHandCursor);
    l->setToolTip(hint);
    l->adjustSize();
    l->move(left, top);
    return l;
}

QFrame* Bevel(QWidget* parent, const char* name, int top) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    f->setGeometry(56, top, 393, 2);
    return f;
}

}  // namespace

TfrVer::TfrVer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frVer"));
    setWindowTitle(U("バージョン情報"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    resize(551, 134);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = font();
    bold.setPixelSize(13);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setGeometry(64, 8, 353, 17);
    Bevel1 = Bevel(this, "Bevel1", 32);
    Bevel2 = Bevel(this, "Bevel2", 88);
    const QString mailHint = U("ここをｸﾘｯｸすると作者宛てにﾒｰﾙが出せます。");
    const QString pageHint = U("ここをｸﾘｯｸするとKolvaneのﾎｰﾑﾍﾟｰｼﾞに行けます。");
    Label6 =
        Link(this, "Label6", QStringLiteral("E-Mail(Internet): "), 112, 56, false, true, mailHint);
    Label4 = Link(this, "Label4", QString::fromLatin1(kContactMail), 224, 56, true, true, mailHint);
    Label5 = Link(this, "Label5", U("Kolvaneのホームページ"), 64, 72, false, false, pageHint);
    Label8 = Link(this, "Label8", QString::fromLatin1(kHomePage), 224, 72, true, false, pageHint);
    for (QLabel* l : {Label4, Label5, Label6, Label8}) l->installEventFilter(this);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setGeometry(459, 24, 86, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { accept(); });

    pic1 = new QPushButton(this);
    pic1->setObjectName(QStringLiteral("pic1"));
    pic1->setGeometry(8, 24, 41, 49);
    pic1->setIconSize(QSize(36, 44));
    pic1->setFocusPolicy(Qt::NoFocus);
}

TfrVer::~TfrVer() {
    if (frVer == this) frVer = nullptr;
}

void TfrVer::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormActivate();
}

void TfrVer::FormActivate() { Label1->setText(U("私は、Kolvane３２ Ver 5.90B5 です。")); }

void TfrVer::Label4Click() {
    platform::OpenDocument(QStringLiteral("mailto:") + QString::fromLatin1(kContactMail));
}

void TfrVer::Label5Click() { platform::OpenDocument(QString::fromLatin1(kHomePage)); }

bool TfrVer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == Label4 || watched == Label6) Label4Click();
        if (watched == Label5 || watched == Label8) Label5Click();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace accessories
