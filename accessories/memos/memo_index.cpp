#include "memo_index.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProxyStyle>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <optional>

#include "clipboard.h"
#include "cp932.h"
#include "desktop_session.h"
#include "dialogs.h"
#include "encodable_text.h"
#include "file_io.h"
#include "folders.h"
#include "fusen_window.h"
#include "globals.h"
#include "memo_file_ops.h"
#include "memo_names.h"
#include "memo_notes.h"
#include "message_box.h"
#include "open_windows.h"
#include "paths.h"
#include "png_file.h"
#include "title_bar.h"
#include "window_frame.h"

using namespace foundation;

namespace accessories {

TfrMokuzi* frMokuzi = nullptr;

namespace {

std::string Bytes(const QVariant& v) {
    const QByteArray b = v.toByteArray();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

int16_t Short(int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); }

// The style's pictures, made once per process: the style decodes its image files again on
// every call, and the index is opened many times a day. Dropped with the application.
QIcon StandardIcon(const QWidget* w, QStyle::StandardPixmap which) {
    struct Made {
        const QStyle* style;
        QStyle::StandardPixmap which;
        QIcon icon;
    };
    // Never destroyed at exit: the pictures go before the application does.
    static auto* made = new std::vector<Made>;
    const QStyle* style = w->style();
    for (const Made& m : *made) {
        if (m.style == style && m.which == which) return m.icon;
    }
    if (made->empty()) qAddPostRoutine([] { made->clear(); });
    made->push_back({style, which, style->standardIcon(which)});
    return made->back().icon;
}

// The category list: takes memos dropped from the file list, starts editing only where the
// index allows it, and deletes a category on a released Delete key.
class CategoryList : public QListWidget {
  public:
    CategoryList(TfrMokuzi* owner, QWidget* parent) : QListWidget(parent), owner_(owner) {
        setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DropOnly);
        setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
    }

  protected:
    bool FromFileList(const QDropEvent* e) const {
        return e->source() == owner_->FileListBox1 && owner_->FileListBox1->currentItem();
    }
    void dragEnterEvent(QDragEnterEvent* e) override {
        if (FromFileList(e))
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* e) override {
        if (FromFileList(e))
            e->acceptProposedAction();
        else
            e->ignore();
    }
    void dropEvent(QDropEvent* e) override {
        if (!FromFileList(e)) {
            e->ignore();
            return;
        }
        // Nothing is removed from the file list by the drag itself.
        e->setDropAction(Qt::CopyAction);
        e->accept();
        QListWidgetItem* target = itemAt(e->position().toPoint());
        // The move may show boxes: after the drag has ended.
        QMetaObject::invokeMethod(
            owner_,
            [o = owner_, row = target ? row(target) : -1] {
                if (row >= 0 && row < o->lv1->count()) o->ListView1DragDrop(o->lv1->item(row));
            },
            Qt::QueuedConnection);
    }
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
        // Only what would start editing asks the index first ("標準" keeps its name).
        const bool starts =
            trigger == QAbstractItemView::AllEditTriggers || (trigger & editTriggers()) != 0;
        if (starts && state() != EditingState && !owner_->ListView1Editing(item(index.row()))) {
            return false;
        }
        return QListWidget::edit(index, trigger, event);
    }
    void keyReleaseEvent(QKeyEvent* e) override {
        if (e->key() == Qt::Key_Delete && !e->isAutoRepeat() && state() != EditingState) {
            owner_->bt_DelDirClick();
            return;
        }
        QListWidget::keyReleaseEvent(e);
    }

  private:
    TfrMokuzi* owner_;
};

}  // namespace

// Hands an edited category name to the index instead of writing it into the item, and draws
// the mark of the category on show. Every row holds the closed folder; the open one is drawn
// here, so that moving the mark repaints two rows instead of laying out the whole list again.
class MemoCategoryDelegate : public QStyledItemDelegate {
  public:
    MemoCategoryDelegate(TfrMokuzi* owner, QObject* parent)
        : QStyledItemDelegate(parent),
          owner_(owner),
          folder_(StandardIcon(owner, QStyle::SP_DirIcon)),
          shown_(StandardIcon(owner, QStyle::SP_DirOpenIcon)) {}

    const QIcon& FolderIcon() const { return folder_; }
    // The category marked as shown, by its CP932 name ("標準": empty).
    const std::optional<QByteArray>& Marked() const { return marked_; }
    void Mark(const QByteArray& name) { marked_ = name; }
    // The index is going: an editor still open commits to nobody.
    void Detach() { owner_ = nullptr; }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        if (!owner_) return;
        const QString text = editor->property("text").toString();
        QListWidgetItem* item = owner_->lv1->item(index.row());
        if (!item) return;
        QMetaObject::invokeMethod(
            owner_,
            [o = owner_, row = index.row(), text] {
                if (row < o->lv1->count()) o->ListView1Edited(o->lv1->item(row), text);
            },
            Qt::QueuedConnection);
    }

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if ((option->features & QStyleOptionViewItem::HasDecoration) && marked_ &&
            index.data(Qt::UserRole).toByteArray() == *marked_) {
            option->icon = shown_;
        }
    }

  private:
    TfrMokuzi* owner_;
    QIcon folder_;
    QIcon shown_;
    std::optional<QByteArray> marked_;
};

namespace {

// The file list: a right click selects as the index wants.
class MemoFileList : public QListWidget {
  public:
    MemoFileList(TfrMokuzi* owner, QWidget* parent) : QListWidget(parent), owner_(owner) {
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setDragEnabled(true);
        setDragDropMode(QAbstractItemView::DragOnly);
        setDefaultDropAction(Qt::CopyAction);
    }

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::RightButton) {
            QListWidgetItem* hit = itemAt(e->position().toPoint());
            owner_->FileListBox1RightDown(hit ? row(hit) : -1);
            return;
        }
        QListWidget::mousePressEvent(e);
    }

  private:
    TfrMokuzi* owner_;
};

// Fusion pads menu-bar items by 4 pixels a side and puts 6 between them; with that the index's
// four menus need 289 pixels and the last one hides behind the overflow button at the saved
// width of 266. Narrower margins let all four show.
class CompactMenuBarStyle : public QProxyStyle {
  public:
    CompactMenuBarStyle() : QProxyStyle(QApplication::style()->name()) {}
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        const QSize usual = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type != CT_MenuBarItem || usual.isEmpty()) return usual;
        return {std::min(usual.width(), size.width() + 6), usual.height()};
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        const int usual = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_MenuBarItemSpacing ? std::min(usual, 2) : usual;
    }
};

QToolButton* SpeedButton(QWidget* parent, const char* name, const char* hint,
                         QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(U(hint));
    b->setIcon(StandardIcon(parent, icon));
    b->setAutoRaise(true);
    b->setFixedSize(25, 25);
    return b;
}

}  // namespace

QRect PlaceMemoIndex(const MokuziTLWH& saved, const QRect& desktop) {
    int left = saved.l, top = saved.t, width = saved.w, height = saved.h;
    if (width >= desktop.width()) {
        width = desktop.width() - 6;
        left = desktop.left();
    }
    if (height >= desktop.height()) {
        height = desktop.height() - 6;
        top = desktop.top();
    }
    if (left < desktop.left() || left >= desktop.left() + desktop.width() - 50)
        left = desktop.left();
    if (top < desktop.top() || top >= desktop.top() + desktop.height() - 50) top = desktop.top();
    return QRect(left, top, std::max(width, 100), std::max(height, 100));
}

std::vector<bool> RightClickSelection(const std::vector<bool>& selected, int row) {
    const auto count = std::count(selected.begin(), selected.end(), true);
    std::vector<bool> result(selected.size(), false);
    const bool onRow = row >= 0 && row < static_cast<int>(selected.size());
    if (count > 1 && onRow && selected[row]) return selected;
    if (onRow) result[row] = true;
    return result;
}

TfrMokuzi::TfrMokuzi() : QWidget(nullptr, Qt::Window) {
    setObjectName(QStringLiteral("frMokuzi"));
    setWindowTitle(U("メモ目次"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    resize(375, 381);
    platform::SetTitleBar(this, platform::TitleBar::CloseOnly);
    BuildControls();
    BuildMenus();
    frMokuzi = this;
    SetWindowOpen(WindowKind::MemoIndex, true, this);
}

TfrMokuzi::~TfrMokuzi() {
    if (categoryDelegate_) categoryDelegate_->Detach();
    if (frMokuzi == this) frMokuzi = nullptr;
    SetWindowOpen(WindowKind::MemoIndex, false);
}

void TfrMokuzi::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    GroupBox1 = new QGroupBox(this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFixedHeight(36);
    auto* bar = new QHBoxLayout(GroupBox1);
    bar->setContentsMargins(6, 2, 6, 2);
    Label1 = new QLabel(U("メモ種別："), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    FilterComboBox1 = new QComboBox(GroupBox1);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->addItem(U("テキスト"), QStringLiteral("*.Txt"));
    FilterComboBox1->addItem(U("画像"), QStringLiteral("*.bmp"));
    bt_mkdir =
        SpeedButton(GroupBox1, "bt_mkdir", "新規ﾌｫﾙﾀﾞを作成します", QStyle::SP_FileDialogNewFolder);
    btMkMemo = SpeedButton(GroupBox1, "btMkMemo", "新規にメモを作成します", QStyle::SP_FileIcon);
    bt_DelDir = SpeedButton(GroupBox1, "bt_DelDir", "現在選択されているﾌｫﾙﾀﾞを削除します",
                            QStyle::SP_DirClosedIcon);
    bt_delMemo = SpeedButton(GroupBox1, "bt_delMemo", "現在選択されているメモを削除します",
                             QStyle::SP_TrashIcon);
    bar->addWidget(Label1);
    bar->addWidget(FilterComboBox1);
    bar->addSpacing(8);
    for (QToolButton* b : {bt_mkdir, btMkMemo, bt_DelDir, bt_delMemo}) bar->addWidget(b);
    bar->addStretch(1);
    layout->addWidget(GroupBox1);

    Splitter1 = new QSplitter(Qt::Horizontal, this);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    lv1 = new CategoryList(this, Splitter1);
    lv1->setObjectName(QStringLiteral("lv1"));
    categoryDelegate_ = new MemoCategoryDelegate(this, lv1);
    lv1->setItemDelegate(categoryDelegate_);
    lv1->setIconSize(QSize(16, 16));
    lv1->setContextMenuPolicy(Qt::CustomContextMenu);
    Splitter2 = new QSplitter(Qt::Vertical, Splitter1);
    Splitter2->setObjectName(QStringLiteral("Splitter2"));
    Splitter2->setChildrenCollapsible(false);
    FileListBox1 = new MemoFileList(this, Splitter2);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* preview = new QWidget(Splitter2);
    auto* previewLayout = new QVBoxLayout(preview);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    img = new QLabel(preview);
    img->setObjectName(QStringLiteral("img"));
    img->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A picture larger than the pane is cut off; it must not grow the window or move the panes.
    img->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    img->hide();
    mm1 = new QPlainTextEdit(preview);
    mm1->setObjectName(QStringLiteral("mm1"));
    mm1->setReadOnly(true);
    mm1->setLineWrapMode(QPlainTextEdit::NoWrap);
    mm1->setToolTip(U("現在選択されているﾒﾓの内容が表示されています。"));
    mm1->setContextMenuPolicy(Qt::CustomContextMenu);
    previewLayout->addWidget(img, 1);
    previewLayout->addWidget(mm1, 1);
    // The categories keep their width and the file list its height; the preview takes the rest.
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter2->setStretchFactor(0, 0);
    Splitter2->setStretchFactor(1, 1);
    Splitter1->setSizes({145, 230});
    Splitter2->setSizes({177, 170});
    layout->addWidget(Splitter1, 1);

    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, [this] { ReadFileList(); });
    connect(bt_mkdir, &QToolButton::clicked, this, &TfrMokuzi::bt_mkdirClick);
    connect(btMkMemo, &QToolButton::clicked, this, &TfrMokuzi::btMkMemoClick);
    connect(bt_DelDir, &QToolButton::clicked, this, &TfrMokuzi::bt_DelDirClick);
    connect(bt_delMemo, &QToolButton::clicked, this, &TfrMokuzi::mnuDlClick);
    connect(lv1, &QListWidget::itemClicked, this, [this] { ListView1Click(); });
    connect(FileListBox1, &QListWidget::itemClicked, this, [this] { FileListBox1Click(); });
    connect(FileListBox1, &QListWidget::currentItemChanged, this, [this] { FileListBox1Click(); });
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this,
            [this] { FileListBox1DblClick(); });
}

void TfrMokuzi::BuildMenus() {
    auto item = [this](QMenu* menu, const char* name, const char* caption,
                       void (TfrMokuzi::*handler)()) {
        QAction* a = menu->addAction(U(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (handler) connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto* compact = new CompactMenuBarStyle;
    compact->setParent(MainMenu1);
    MainMenu1->setStyle(compact);
    static_cast<QVBoxLayout*>(layout())->setMenuBar(MainMenu1);
    mnuCl = MainMenu1->addAction(U("閉じる(&C)"));
    mnuCl->setObjectName(QStringLiteral("mnuCl"));
    connect(mnuCl, &QAction::triggered, this, &TfrMokuzi::mnuClClick);
    mnuNew = MainMenu1->addMenu(U("新規作成(&N)"));
    mnuNew->setObjectName(QStringLiteral("mnuNew"));
    mnuMkTxt = item(mnuNew, "mnuMkTxt", "テキスト(&T)", &TfrMokuzi::mnuMkTxtClick);
    mnuMkBmp = item(mnuNew, "mnuMkBmp", "画像(&G)", &TfrMokuzi::mnuMkBmpClick);
    mnuNew->addSeparator();
    mnuMkDir = item(mnuNew, "mnuMkDir", "ﾌｫﾙﾀﾞ(&F)", &TfrMokuzi::bt_mkdirClick);
    mnuDl = MainMenu1->addMenu(U("削除(&D)"));
    mnuDl->setObjectName(QStringLiteral("mnuDl"));
    N2 = item(mnuDl, "N2", "メモ(&M)", &TfrMokuzi::mnuDlClick);
    mnuDl->addSeparator();
    mnuDelDir = item(mnuDl, "mnuDelDir", "ﾌｫﾙﾀﾞ(&F)", &TfrMokuzi::bt_DelDirClick);
    Refresh1 = MainMenu1->addAction(U("表示の更新(&R)"));
    Refresh1->setObjectName(QStringLiteral("Refresh1"));
    connect(Refresh1, &QAction::triggered, this, &TfrMokuzi::Refresh1Click);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Copy1 = item(PopupMenu1, "Copy1", "ｺﾋﾟｰ(&C)", &TfrMokuzi::Copy1Click);
    mnuAllCopy =
        item(PopupMenu1, "mnuAllCopy", "すべて選択＆ｺﾋﾟｰ(&E)", &TfrMokuzi::mnuAllCopyClick);
    PopupMenu1->addSeparator();
    SelectAll1 = item(PopupMenu1, "SelectAll1", "すべて選択(&A)", &TfrMokuzi::SelectAll1Click);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    mnuMemoOp = item(PopupMenu2, "mnuMemoOp", "開く(&O)", &TfrMokuzi::mnuMemoOpClick);
    mnuMemoCbCp =
        item(PopupMenu2, "mnuMemoCbCp", "内容をｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&C)", &TfrMokuzi::mnuMemoCbCpClick);
    PopupMenu2->addSeparator();
    New1 = item(PopupMenu2, "New1", "新規作成(&N)", &TfrMokuzi::btMkMemoClick);
    PopupMenu2->addSeparator();
    mnuMemoDel = item(PopupMenu2, "mnuMemoDel", "削除(&D)", &TfrMokuzi::mnuDlClick);

    PopupMenu3 = new QMenu(this);
    PopupMenu3->setObjectName(QStringLiteral("PopupMenu3"));
    mnuEditFoName =
        item(PopupMenu3, "mnuEditFoName", "ﾌｫﾙﾀﾞ名の変更", &TfrMokuzi::mnuEditFoNameClick);
    PopupMenu3->addSeparator();
    mnuNewFo = item(PopupMenu3, "mnuNewFo", "ﾌｫﾙﾀﾞの新規作成", &TfrMokuzi::bt_mkdirClick);
    PopupMenu3->addSeparator();
    mnuDelFo = item(PopupMenu3, "mnuDelFo", "ﾌｫﾙﾀﾞの削除", &TfrMokuzi::bt_DelDirClick);

    auto popup = [this](QWidget* w, QMenu* menu, void (TfrMokuzi::*prepare)()) {
        connect(w, &QWidget::customContextMenuRequested, this, [this, w, menu, prepare](QPoint p) {
            (this->*prepare)();
            menu->popup(w->mapToGlobal(p));
        });
    };
    popup(mm1, PopupMenu1, &TfrMokuzi::PopupMenu1Popup);
    popup(FileListBox1, PopupMenu2, &TfrMokuzi::PopupMenu2Popup);
    popup(lv1, PopupMenu3, &TfrMokuzi::PopupMenu3Popup);
}

void TfrMokuzi::PlaceFromSettings() {
    const MokuziTLWH& saved = Settings.mokuzi_tlwh;
    const QRect place = PlaceMemoIndex(saved, DesktopRect());
    resize(place.size());
    // The saved place is the frame's, not the client area's.
    platform::PlaceFrameAt(this, place.topLeft(), platform::FrameExtents(this));
    const int rest = std::max(1, width() - saved.lv1_w);
    Splitter1->setSizes({std::max<int>(saved.lv1_w, 20), rest});
    const int below = std::max(1, height() - 36 - saved.fb1_h);
    Splitter2->setSizes({std::max<int>(saved.fb1_h, 20), below});
}

QPoint TfrMokuzi::NoteTopLeft() const { return pos(); }

void TfrMokuzi::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    FormShow();
}

void TfrMokuzi::FormShow() {
    const QIcon& folder = categoryDelegate_->FolderIcon();
    FillMemoFolderView(MemoCategoryFolder(Settings.memo_path, ""), lv1, folder);
    // Only the category names can be edited, and never "標準".
    for (int i = 1; i < lv1->count(); ++i) {
        QListWidgetItem* it = lv1->item(i);
        it->setIcon(folder);
        it->setFlags(it->flags() | Qt::ItemIsEditable);
    }
    RefreshFolderView();
}

std::string TfrMokuzi::ItemName(const QListWidgetItem* item) const {
    return item ? Bytes(item->data(Qt::UserRole)) : std::string();
}

std::string TfrMokuzi::ShownCategory() const {
    return CurFolder == "." ? std::string() : CurFolder;
}

void TfrMokuzi::RefreshFolderView() {
    const std::string name = ShownCategory();
    const QByteArray key(name.data(), static_cast<int>(name.size()));
    const std::optional<QByteArray> before = categoryDelegate_->Marked();
    categoryDelegate_->Mark(key);
    for (int i = 0; i < lv1->count(); ++i) {
        QListWidgetItem* it = lv1->item(i);
        const QByteArray itemKey = it->data(Qt::UserRole).toByteArray();
        if (itemKey == key) lv1->setCurrentItem(it);
        if (before != key && (itemKey == key || itemKey == before)) {
            lv1->viewport()->update(lv1->visualItemRect(it));
        }
    }
    ShowInFileList(name);
}

void TfrMokuzi::ShowInFileList(const std::string& category) {
    fileFolder_ = MemoCategoryFolder(Settings.memo_path, category);
    ReadFileList();
}

bool TfrMokuzi::BitmapMode() const { return FilterComboBox1->currentIndex() == 1; }

void TfrMokuzi::ReadFileList() {
    FileListBox1->clear();
    QDir dir(platform::DiskPath(fileFolder_));
    const QString mask = FilterComboBox1->currentData().toString();
    // The masks ignore letter case, as "*.Txt" always has.
    const QStringList names =
        dir.entryList({mask}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QString& n : names) {
        const std::string cp = platform::ToCp932(n);
        if (platform::FromCp932(cp) != n) continue;  // a name the program cannot keep
        auto* it = new QListWidgetItem(n, FileListBox1);
        it->setData(Qt::UserRole, QByteArray(cp.data(), static_cast<int>(cp.size())));
    }
    FileListBox1Click();
}

std::string TfrMokuzi::CurrentPath() const {
    QListWidgetItem* it = FileListBox1->currentItem();
    return it ? fileFolder_ + ItemName(it) : std::string();
}

std::vector<std::string> TfrMokuzi::SelectedPaths() const {
    std::vector<std::string> paths;
    for (int i = 0; i < FileListBox1->count(); ++i) {
        if (FileListBox1->item(i)->isSelected()) {
            paths.push_back(fileFolder_ + ItemName(FileListBox1->item(i)));
        }
    }
    return paths;
}

void TfrMokuzi::ListView1Click() {
    QListWidgetItem* it = lv1->currentItem();
    if (!it) return;
    const std::string name = ItemName(it);
    CurFolder = name.empty() ? "." : name;
    RefreshFolderView();
}

void TfrMokuzi::FileListBox1Click() {
    const std::string path = CurrentPath();
    if (path.empty()) {
        mm1->clear();
        mm1->show();
        img->hide();
        return;
    }
    if (BitmapMode()) {
        img->setPixmap(platform::ReadPicture(platform::DiskPath(path)));
        img->show();
        mm1->hide();
        return;
    }
    std::string bytes;
    platform::ReadWholeFile(path, bytes);
    QString text = platform::FromCp932(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    mm1->setPlainText(text);
    mm1->show();
    img->hide();
}

void TfrMokuzi::FileListBox1RightDown(int row) {
    std::vector<bool> selected;
    for (int i = 0; i < FileListBox1->count(); ++i) {
        selected.push_back(FileListBox1->item(i)->isSelected());
    }
    const std::vector<bool> next = RightClickSelection(selected, row);
    if (row >= 0 && next[row]) {
        FileListBox1->setCurrentItem(FileListBox1->item(row), QItemSelectionModel::NoUpdate);
    }
    for (int i = 0; i < FileListBox1->count(); ++i) FileListBox1->item(i)->setSelected(next[i]);
    FileListBox1Click();
}

void TfrMokuzi::FileListBox1DblClick() {
    const std::string path = CurrentPath();
    if (!path.empty()) OpenFusen(path, BitmapMode(), false, NoteTopLeft());
}

void TfrMokuzi::mnuMemoOpClick() {
    for (const std::string& path : SelectedPaths()) {
        OpenFusen(path, BitmapMode(), false, NoteTopLeft());
    }
}

void TfrMokuzi::btMkMemoClick() {
    if (FilterComboBox1->currentIndex() == 0)
        mnuMkTxtClick();
    else
        mnuMkBmpClick();
}

void TfrMokuzi::mnuMkTxtClick() {
    NewTextMemo(this, NoteTopLeft());
    NewMemoFlag = 0;
    ReadFileList();
}

void TfrMokuzi::mnuMkBmpClick() {
    const auto topLeft = [] {
        return frMokuzi ? frMokuzi->NoteTopLeft()
                        : QPoint(Settings.mokuzi_tlwh.l, Settings.mokuzi_tlwh.t);
    };
    NewBitmapMemo(this, topLeft, [] {
        if (frMokuzi) frMokuzi->ReadFileList();
    });
    ReadFileList();
}

void TfrMokuzi::mnuDlClick() {
    if (!FileListBox1->currentItem()) {
        platform::ShowMessage(U("削除するメモが選択されていません。"));
        return;
    }
    for (const std::string& path : SelectedPaths()) MoveOrDeleteMemo(path, "");
    ReadFileList();
}

void TfrMokuzi::ListView1DragDrop(QListWidgetItem* target) {
    if (!target || SelectedPaths().empty()) return;
    const std::string name = ItemName(target);
    const std::string caption = name.empty() ? Sj("標準") : name;
    if (caption == CurFolder) {
        platform::ShowMessage(U("同じﾌｫﾙﾀﾞに移動することはできません。"));
        return;
    }
    const int answer = platform::MessageDlg(
        U("これらのメモをﾌｫﾙﾀﾞ ") + platform::FromCp932(caption) + U(" に移動します。"),
        platform::MsgKind::Confirmation, {platform::kBtnYes, platform::kBtnNo});
    if (answer != platform::kBtnYes) return;
    const std::string targetFolder = MemoCategoryFolder(Settings.memo_path, name);
    for (const std::string& path : SelectedPaths()) MoveOrDeleteMemo(path, targetFolder);
    ReadFileList();
}

void TfrMokuzi::bt_mkdirClick() {
    QString typed;
    for (;;) {
        const auto answer = platform::Dialogs().Text(this, U("ﾌｫﾙﾀﾞの新規作成"),
                                                     U("ﾌｫﾙﾀﾞ名を入力してください。"), typed);
        if (!answer) return;
        typed = *answer;
        // Back to the name as typed: the box comes again with it.
        if (ConfirmEncodable(typed)) break;
    }
    if (typed.isEmpty()) {
        platform::ShowMessage(U("ﾌｫﾙﾀﾞ名が空です。作成できません。"));
        return;
    }
    const std::string name = TitleToFileName(platform::ToCp932(typed));
    if (name == Sj("標準")) {
        platform::ShowMessage(U("新規ﾌｫﾙﾀﾞ名に「標準」は使えません。"));
        return;
    }
    const std::string path = MemoCategoryFolder(Settings.memo_path, "") + name;
    if (platform::FileExists(path)) {
        platform::ShowMessage(U("ﾌｫﾙﾀﾞ[") + platform::FromCp932(name) +
                              U("]は既に存在するので新規作成できません。"));
        return;
    }
    if (!QDir().mkdir(platform::DiskPath(path))) {
        platform::MessageDlg(U("新規ﾌｫﾙﾀﾞは作成できませんでした。"), platform::MsgKind::Warning,
                             {platform::kBtnOk});
        return;
    }
    FormShow();
}

void TfrMokuzi::mnuEditFoNameClick() {
    if (QListWidgetItem* it = lv1->currentItem()) lv1->editItem(it);
}

bool TfrMokuzi::ListView1Editing(QListWidgetItem* item) {
    if (!item) return false;
    if (ItemName(item).empty()) {
        platform::ShowMessage(U("標準ﾌｫﾙﾀﾞ名は変更できません。"));
        return false;
    }
    return true;
}

void TfrMokuzi::ListView1Edited(QListWidgetItem* item, const QString& edited) {
    if (!item) return;
    const std::string old = ItemName(item);
    if (old.empty()) return;
    QString name = edited;
    if (!ConfirmEncodable(name)) {
        // Back to the name as typed, in the editor again.
        lv1->setCurrentItem(item);
        lv1->editItem(item);
        // The editor just closed is still there, hidden, until it is deleted.
        for (QLineEdit* editor : lv1->viewport()->findChildren<QLineEdit*>())
            if (!editor->isHidden()) editor->setText(edited);
        return;
    }
    if (CurFolder != "." && CurFolder == old) {
        // The folder to rename is the one shown: the list lets go of it first.
        ShowInFileList("");
        CurFolder = ".";
    }
    const std::string renamed = TitleToFileName(platform::ToCp932(name));
    if (renamed == Sj("標準")) {
        platform::ShowMessage(U("新規ﾌｫﾙﾀﾞ名に「標準」は使えません。"));
        RefreshFolderView();
        return;
    }
    if (renamed == old) {
        RefreshFolderView();
        return;
    }
    const std::string base = MemoCategoryFolder(Settings.memo_path, "");
    // Never over an existing folder: the rename fails instead.
    if (!platform::RenameNoReplace(base + old, base + renamed)) {
        platform::ShowMessage(U("ﾌｫﾙﾀﾞ名を変更できません"));
        RefreshFolderView();
        return;
    }
    item->setText(platform::FromCp932(renamed));
    item->setData(Qt::UserRole, QByteArray(renamed.data(), static_cast<int>(renamed.size())));
    RetargetOpenMemos(base + old + "/", base + renamed + "/");
    RefreshFolderView();
}

void TfrMokuzi::bt_DelDirClick() {
    QListWidgetItem* it = lv1->currentItem();
    if (!it) return;
    const std::string name = ItemName(it);
    if (name.empty()) {
        platform::ShowMessage(U("標準ﾌｫﾙﾀﾞは削除できません。"));
        return;
    }
    const int answer = platform::MessageDlg(
        U("ﾌｫﾙﾀﾞ ") + platform::FromCp932(name) + U(" を削除します。"),
        platform::MsgKind::Confirmation, {platform::kBtnYes, platform::kBtnNo});
    if (answer != platform::kBtnYes) return;
    const std::string folder = MemoCategoryFolder(Settings.memo_path, name);
    // Every note of the folder closes, whichever kind the list shows.
    CloseOpenMemosUnder(folder);
    ShowInFileList("");
    if (DeleteToRecycleBin(this, MemoCategoryFolder(Settings.memo_path, "") + name) != 0) {
        platform::ShowMessage(U("ﾌｫﾙﾀﾞ[") + platform::FromCp932(name) +
                              U("]をごみ箱へ移動できませんでした。"));
    }
    CurFolder = ".";
    FormShow();
}

void TfrMokuzi::Copy1Click() {
    QString text = mm1->textCursor().selectedText();
    text.replace(QChar(0x2029), QLatin1Char('\n'));
    if (!text.isEmpty()) platform::Clipboard().SetText(text);
}

void TfrMokuzi::SelectAll1Click() { mm1->selectAll(); }

void TfrMokuzi::mnuAllCopyClick() {
    mm1->selectAll();
    Copy1Click();
    QTextCursor c = mm1->textCursor();
    c.clearSelection();
    mm1->setTextCursor(c);
}

void TfrMokuzi::mnuMemoCbCpClick() { mnuAllCopyClick(); }

void TfrMokuzi::PopupMenu1Popup() { Copy1->setEnabled(mm1->textCursor().hasSelection()); }

void TfrMokuzi::PopupMenu2Popup() {
    const bool any = !FileListBox1->selectedItems().isEmpty();
    mnuMemoOp->setEnabled(any);
    mnuMemoCbCp->setEnabled(any);
    mnuMemoDel->setEnabled(any);
}

void TfrMokuzi::PopupMenu3Popup() {
    const bool any = lv1->currentItem() != nullptr;
    mnuEditFoName->setEnabled(any);
    mnuDelFo->setEnabled(any);
}

void TfrMokuzi::mnuClClick() { close(); }

void TfrMokuzi::Refresh1Click() { ReadFileList(); }

void TfrMokuzi::closeEvent(QCloseEvent* event) {
    MokuziTLWH& saved = Settings.mokuzi_tlwh;
    const QPoint at = platform::PlaceToStore(this, QPoint(saved.l, saved.t));
    saved.t = Short(at.y());
    saved.l = Short(at.x());
    saved.w = Short(width());
    saved.h = Short(height());
    saved.lv1_w = Short(lv1->width());
    saved.fb1_h = Short(FileListBox1->height());
    event->accept();
    // Closed is gone for everyone who asks, before the window itself is freed.
    if (frMokuzi == this) frMokuzi = nullptr;
    SetWindowOpen(WindowKind::MemoIndex, false);
}

}  // namespace accessories
