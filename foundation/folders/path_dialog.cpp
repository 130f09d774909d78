#include "path_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStorageInfo>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "cp932.h"
#include "paths.h"
#include "title_bar.h"

namespace foundation {

TfrPath* frPath = nullptr;

namespace {

class RowHeight16 final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(16);
        return s;
    }
};

// File systems a user keeps folders on: the root and block devices; no kernel, network or
// snap images.
bool IsLocalVolume(const QStorageInfo& v) {
    if (!v.isValid() || !v.isReady()) return false;
    if (v.rootPath() == QLatin1String("/")) return true;
    const QByteArray type = v.fileSystemType();
    static const char* const kSkip[] = {"squashfs",   "nfs", "nfs4", "cifs", "smbfs", "smb3",
                                        "fuse.sshfs", "9p",  "afs",  "ceph", "autofs"};
    for (const char* s : kSkip)
        if (type == s) return false;
    return v.device().startsWith("/dev/");
}

// The file system root a path lies on: the longest mounted root that holds it.
QString RootOf(const QString& path, const QStringList& roots) {
    QString best = QStringLiteral("/");
    for (const QString& r : roots) {
        bool holds = path == r || path.startsWith(r.endsWith('/') ? r : r + '/');
        if (holds && r.size() > best.size()) best = r;
    }
    return best;
}

}  // namespace

TfrPath::TfrPath(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frPath"));
    setWindowTitle(QStringLiteral("パスの指定"));
    setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    setFixedSize(392, 238);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);
    setModal(true);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(8, 8, 289, 225);

    Label1 = new QLabel(QStringLiteral("ﾄﾞﾗｲﾌﾞ:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->move(8, 8);
    Label1->adjustSize();

    drBox = new QComboBox(Panel1);
    drBox->setObjectName(QStringLiteral("drBox"));
    drBox->setGeometry(56, 8, 217, 18);

    Label2 = new QLabel(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ:"), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->move(8, 40);
    Label2->adjustSize();

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setReadOnly(true);
    model_->setRootPath(QStringLiteral("/"));

    dlistbox = new QTreeView(Panel1);
    dlistbox->setObjectName(QStringLiteral("dlistbox"));
    dlistbox->setGeometry(56, 40, 217, 177);
    dlistbox->setModel(model_);
    dlistbox->setItemDelegate(new RowHeight16(dlistbox));
    dlistbox->setUniformRowHeights(true);
    dlistbox->setHeaderHidden(true);
    for (int c = 1; c < model_->columnCount(); ++c) dlistbox->hideColumn(c);
    dlistbox->setSelectionMode(QAbstractItemView::SingleSelection);
    // Folders are read and sorted in the background: keep the start folder in sight until the
    // user moves away from it.
    auto follow = [this] {
        if (startPath_.isEmpty()) return;
        QTimer::singleShot(0, this, [this] {
            QModelIndex current = dlistbox->currentIndex();
            if (!startPath_.isEmpty() && current.isValid())
                dlistbox->scrollTo(current, QAbstractItemView::PositionAtCenter);
        });
    };
    connect(model_, &QFileSystemModel::directoryLoaded, this, follow);
    connect(model_, &QAbstractItemModel::layoutChanged, this, follow);
    connect(dlistbox->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& now) {
                if (!startPath_.isEmpty() && model_->filePath(now) != startPath_)
                    startPath_.clear();
            });

    Button1 = new QPushButton(QStringLiteral("O.K(&O)"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(312, 8, 73, 25);

    Button2 = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(312, 48, 73, 25);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    FillDrives();
    connect(drBox, &QComboBox::activated, this, [this] { drBoxChange(); });
    ShowRoot(QStringLiteral("/"));

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrPath::FillDrives() {
    QStringList roots;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (IsLocalVolume(v) && !roots.contains(v.rootPath())) roots << v.rootPath();
    if (!roots.contains(QStringLiteral("/"))) roots << QStringLiteral("/");
    std::sort(roots.begin(), roots.end());
    drBox->clear();
    drBox->addItems(roots);
}

void TfrPath::ShowRoot(const QString& root) {
    root_ = root;
    int at = drBox->findText(root);
    if (at >= 0) drBox->setCurrentIndex(at);
    model_->setRootPath(root);
    // On "/" the root itself stands in the tree so that it can be chosen; on another file
    // system the tree starts below its root.
    if (root == QLatin1String("/")) {
        dlistbox->setRootIndex(QModelIndex());
        QModelIndex top = model_->index(root);
        dlistbox->setCurrentIndex(top);
        dlistbox->expand(top);
    } else {
        dlistbox->setRootIndex(model_->index(root));
        dlistbox->setCurrentIndex(QModelIndex());
    }
}

void TfrPath::drBoxChange() { ShowRoot(drBox->currentText()); }

void TfrPath::SetStartFolder(const std::string& folder) {
    QString path = QDir::cleanPath(QFileInfo(platform::DiskPath(folder)).absoluteFilePath());
    while (path != QLatin1String("/") && !QFileInfo(path).isDir())
        path = QFileInfo(path).absolutePath();
    QStringList roots;
    for (int i = 0; i < drBox->count(); ++i) roots << drBox->itemText(i);
    ShowRoot(RootOf(path, roots));
    if (path == root_ && root_ != QLatin1String("/")) return;
    QModelIndex index = model_->index(path);
    if (!index.isValid()) return;
    for (QModelIndex up = index.parent(); up.isValid(); up = up.parent()) dlistbox->expand(up);
    startPath_ = path;
    dlistbox->setCurrentIndex(index);
    dlistbox->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

std::string TfrPath::CurrentFolder() const {
    QModelIndex index = dlistbox->currentIndex();
    QString path = index.isValid() ? model_->filePath(index) : root_;
    if (path.isEmpty()) path = root_;
    return platform::FromDiskPath(path);
}

void TfrPath::FormActivate() { SelectedPath.clear(); }

void TfrPath::Button1Click() {
    SelectedPath = CurrentFolder();
    QDialog::done(1);
}

void TfrPath::Button2Click() {
    SelectedPath.clear();
    QDialog::done(2);
}

void TfrPath::done(int r) {
    if (r != 1) {
        SelectedPath.clear();
        r = 2;
    }
    QDialog::done(r);
}

void TfrPath::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

}  // namespace foundation
