#include "memo_title_dialog.h"

#include <QGuiApplication>
#include <QScreen>

#include "cp932.h"
#include "encodable_text.h"
#include "folders.h"
#include "form_controls.h"
#include "globals.h"
#include "memo_names.h"
#include "modal_run.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

TfrMemoTiInp::TfrMemoTiInp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frMemoTiInp"));
    setWindowTitle(U("メモ新規作成"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    setFixedSize(398, 157);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    GroupBox1 = new QGroupBox(U("目次に使用するﾀｲﾄﾙを入力してください"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 4, 382, 49);
    tx = new QLineEdit(GroupBox1);
    tx->setObjectName(QStringLiteral("tx"));
    tx->setGeometry(8, 20, 366, 21);
    tx->setAttribute(Qt::WA_InputMethodEnabled, true);

    GroupBox2 = new QGroupBox(U("ﾒﾓの格納先ﾌｫﾙﾀﾞ"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(8, 60, 382, 49);
    cb_dir = new QComboBox(GroupBox2);
    cb_dir->setObjectName(QStringLiteral("cb_dir"));
    cb_dir->setGeometry(8, 20, 366, 21);

    bt_ok = MakeButton(this, "bt_ok", "O.K", {228, 122, 75, 25});
    bt_can = MakeButton(this, "bt_can", "ｷｬﾝｾﾙ", {312, 122, 75, 25});
    bt_ok->setDefault(true);
    bt_can->setAutoDefault(false);
    connect(bt_ok, &QPushButton::clicked, this, [this] { done(kResultOk); });
    connect(bt_can, &QPushButton::clicked, this, [this] { done(kResultCancel); });

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void TfrMemoTiInp::done(int result) {
    if (result == kResultOk) {
        // The title names the memo's file: no character of it may turn into another.
        if (!ConfirmLineEdits({tx})) return;
    }
    QDialog::done(result == QDialog::Rejected ? kResultCancel : result);
}

void TfrMemoTiInp::FormShow() {
    std::string list;
    MemoFolderList(MemoCategoryFolder(Settings.memo_path, ""), list);
    cb_dir->clear();
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find("\r\n", start);
        if (end == std::string::npos) end = list.size();
        const std::string name = list.substr(start, end - start);
        cb_dir->addItem(platform::FromCp932(name), QByteArray(name.data(), int(name.size())));
        start = end + 2;
    }
    cb_dir->setCurrentIndex(0);
}

std::string TfrMemoTiInp::Title() const { return platform::ToCp932(tx->text()); }

std::string TfrMemoTiInp::Category() const {
    if (cb_dir->currentIndex() <= 0) return {};
    const QByteArray name = cb_dir->currentData().toByteArray();
    return std::string(name.constData(), static_cast<size_t>(name.size()));
}

bool RunMemoTitleDialog(TfrMemoTiInp& dialog) {
    dialog.FormShow();
    return platform::RunModal(dialog) == TfrMemoTiInp::kResultOk;
}

}  // namespace accessories
