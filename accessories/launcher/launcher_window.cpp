#include "launcher_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

#include "cp932.h"
#include "globals.h"
#include "launcher_command.h"
#include "message_box.h"
#include "program_icon.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

TfrRun* frRun = nullptr;

TfrRun::TfrRun(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frRun"));
    setWindowTitle(QString::fromUtf8("ﾌﾟﾛｸﾞﾗﾑの実行"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ListView1 = new QListWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::ListMode);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->installEventFilter(this);
    layout->addWidget(ListView1);
    resize(202, 346);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);
    ImageList1.push_back(QApplication::style()->standardIcon(QStyle::SP_FileIcon));
    connect(ListView1, &QListWidget::itemClicked, this, [this] { ListView1DblClick(); });
}

TfrRun::~TfrRun() {
    if (frRun == this) frRun = nullptr;
}

void TfrRun::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TfrRun::FormActivate() {
    if (ListView1->count() > 0) return;
    for (int k = 1; k <= 20; ++k) {
        int image = 0;
        if (!PrgList[k].FileName.empty()) {
            const QString program = LaunchIconProgram(PrgList[k].FileName);
            ImageList1.push_back(
                platform::ProgramIcon(QLatin1Char('"') + program + QLatin1Char('"')));
            image = static_cast<int>(ImageList1.size()) - 1;
        }
        auto* item = new QListWidgetItem(ImageList1[image], platform::FromCp932(PrgList[k].Name));
        item->setData(Qt::UserRole, image);
        ListView1->addItem(item);
    }
}

void TfrRun::ListView1DblClick() {
    const int row = ListView1->currentRow();
    if (row < 0 || !ListView1->currentItem()->isSelected()) return;
    const std::string& line = PrgList[row + 1].FileName;
    // An entry without a program starts nothing; one that cannot be started is told, after
    // the launcher has closed as it always does.
    LaunchCommand command;
    const bool failed = ParseLaunchCommand(line, command) && !StartLaunchCommand(line);
    close();
    if (failed)
        platform::MessageDlg(LaunchFailureText(line), platform::MsgKind::Warning,
                             {platform::kBtnOk});
}

bool TfrRun::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            ListView1DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace accessories
