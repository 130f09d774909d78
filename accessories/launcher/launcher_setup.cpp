#include "launcher_setup.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>

#include "cp932.h"
#include "dialogs.h"
#include "encodable_text.h"
#include "folders.h"
#include "globals.h"
#include "message_box.h"
#include "paths.h"
#include "schedule_store.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

TfrSetPrg* frSetPrg = nullptr;

namespace {

QString Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
    if (QTableWidgetItem* item = grid->item(row, column))
        item->setText(text);
    else
        grid->setItem(row, column, new QTableWidgetItem(text));
}

}  // namespace

TfrSetPrg::TfrSetPrg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frSetPrg"));
    setWindowTitle(U("プログラムランチャの設定"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MainMenu1 = new QMenuBar(this);
    mnuCl = MainMenu1->addAction(QStringLiteral("O.K"));
    mnuCl->setObjectName(QStringLiteral("mnuCl"));
    mnuCan = MainMenu1->addAction(U("ｷｬﾝｾﾙ"));
    mnuCan->setObjectName(QStringLiteral("mnuCan"));
    layout->setMenuBar(MainMenu1);

    sg = new QTableWidget(20, 2, this);
    sg->setObjectName(QStringLiteral("sg"));
    sg->setHorizontalHeaderLabels({U("プログラム名"), U("プログラムファイル名")});
    sg->verticalHeader()->hide();
    sg->setColumnWidth(0, 128);
    sg->setColumnWidth(1, 205);
    sg->setShowGrid(true);
    sg->setToolTip(U("削除はﾏｳｽの右ﾎﾞﾀﾝﾒﾆｭｰから行えます"));
    sg->setSelectionMode(QAbstractItemView::SingleSelection);
    sg->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(sg);

    PopupMenu1 = new QMenu(this);
    mnuSan = PopupMenu1->addAction(U("参照"));
    mnuSan->setObjectName(QStringLiteral("mnuSan"));
    mnuDel = PopupMenu1->addAction(U("削除"));
    mnuDel->setObjectName(QStringLiteral("mnuDel"));
    connect(sg, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(sg->viewport()->mapToGlobal(at)); });
    connect(mnuSan, &QAction::triggered, this, [this] { mnuSanClick(); });
    connect(mnuDel, &QAction::triggered, this, [this] { mnuDelClick(); });
    connect(mnuCl, &QAction::triggered, this, [this] {
        if (mnuClClick()) accept();
    });
    connect(mnuCan, &QAction::triggered, this, [this] { mnuCanClick(); });

    resize(357, 386 + MainMenu1->sizeHint().height());
    platform::SetTitleBar(this, platform::TitleBar::NoMinimize);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TfrSetPrg::~TfrSetPrg() {
    if (frSetPrg == this) frSetPrg = nullptr;
}

void TfrSetPrg::FormCreate() {
    for (int r = 1; r <= 20; ++r) {
        SetCell(sg, r - 1, 0, platform::FromCp932(PrgList[r].Name));
        SetCell(sg, r - 1, 1, platform::DiskPath(PrgList[r].FileName));
    }
}

void TfrSetPrg::mnuSanClick() {
    const int row = sg->currentRow();
    if (row < 0) return;
    const auto file =
        platform::Dialogs().OpenFileName(this, U("プログラムファイルの参照"), Cell(sg, row, 1),
                                         U("ﾌﾟﾛｸﾞﾗﾑ (*);;ﾊﾞｯﾁﾌｧｲﾙ (*.sh);;全てのﾌｧｲﾙ (*)"));
    if (!file || file->isEmpty()) return;
    SetCell(sg, row, 1, *file);
    TellPathKeptMarked(*file);
}

void TfrSetPrg::mnuDelClick() {
    const int row = sg->currentRow();
    if (row < 0) return;
    if (platform::MessageDlg(U("現在選択されている行の設定を削除してよろしいですか？"),
                             platform::MsgKind::Information,
                             {platform::kBtnYes, platform::kBtnNo}) != platform::kBtnYes)
        return;
    SetCell(sg, row, 0, QString());
    SetCell(sg, row, 1, QString());
}

bool TfrSetPrg::mnuClClick() {
    std::vector<QString> names;
    for (int r = 1; r <= 20; ++r) names.push_back(Cell(sg, r - 1, 0));
    std::vector<QString*> typed;
    for (QString& n : names) typed.push_back(&n);
    if (!ConfirmEncodable(typed)) {
        // Back to the names as typed, at the first that holds such a character.
        for (int r = 0; r < 20; ++r) {
            if (platform::UnencodableCharacters(names[r]).isEmpty()) continue;
            sg->setCurrentCell(r, 0);
            sg->setFocus(Qt::OtherFocusReason);
            break;
        }
        return false;
    }
    prg list[21];
    for (int r = 1; r <= 20; ++r) {
        if (names[r - 1] != Cell(sg, r - 1, 0)) SetCell(sg, r - 1, 0, names[r - 1]);
        // A name nobody edited keeps its bytes.
        list[r].Name = StoredText(names[r - 1], PrgList[r].Name);
        list[r].FileName = platform::FromDiskPath(Cell(sg, r - 1, 1));
    }
    if (!store::SavePrgs(BaseDir, list)) {
        // The list in use stays as it was, and so do the edits in the grid.
        platform::MessageDlg(U("プログラムの一覧[") + platform::DiskPath(PrgListFileName(BaseDir)) +
                                 U("]を保存できませんでした。"),
                             platform::MsgKind::Error, {platform::kBtnOk});
        return false;
    }
    for (int r = 1; r <= 20; ++r) PrgList[r] = list[r];
    return true;
}

void TfrSetPrg::mnuCanClick() { reject(); }

}  // namespace accessories
