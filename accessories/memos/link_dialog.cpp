#include "link_dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include "cp932.h"
#include "dialogs.h"
#include "form_controls.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

QString KanrenFileFilter() {
    // "*.*" means every file; the other patterns keep their stored form.
    return U(
        "すべてのﾌｧｲﾙ (*);;ﾃｷｽﾄﾌｧｲﾙ (*txt);;ﾜｰﾄﾞ文書ﾌｧｲﾙ (*doc);;ｴｸｾﾙﾌｧｲﾙ (*xls);;"
        "ﾎｰﾑﾍﾟｰｼﾞ (*htm);;BMP (*bmp);;JPG (*jpg);;GIF (*.gif)");
}

TfrKanren::TfrKanren(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frKanren"));
    setWindowTitle(U("付箋ﾒﾓに関連付ける情報"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    setFixedSize(401, 97);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::Box);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(8, 8, 385, 45);

    tx = new QLineEdit(this);
    tx->setObjectName(QStringLiteral("tx"));
    tx->setGeometry(16, 20, 297, 21);
    tx->setToolTip(U("この付箋ﾒﾓに関連するﾜｰﾌﾟﾛ文書やURLなどを設定します。"));

    bt_san = MakeButton(this, "bt_san", "参照...", {320, 18, 65, 25});
    bt_OK = MakeButton(this, "bt_OK", "O.K", {240, 62, 73, 25});
    bt_Can = MakeButton(this, "bt_Can", "ｷｬﾝｾﾙ", {320, 62, 73, 25});
    bt_OK->setDefault(true);
    bt_san->setAutoDefault(false);
    bt_Can->setAutoDefault(false);
    connect(bt_san, &QPushButton::clicked, this, &TfrKanren::bt_sanClick);
    connect(bt_OK, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(bt_Can, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TfrKanren::done(int result) {
    QDialog::done(result == QDialog::Rejected ? kResultCancel : result);
}

void TfrKanren::bt_sanClick() {
    const auto chosen =
        platform::Dialogs().OpenFileName(this, windowTitle(), tx->text(), KanrenFileFilter());
    if (chosen && !chosen->isEmpty()) tx->setText(*chosen);
}

}  // namespace accessories
