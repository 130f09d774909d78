#include "system_info.h"

#include <QFont>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

#include "system_info_text.h"
#include "title_bar.h"

namespace accessories {

TfrSysinfo* frSysinfo = nullptr;

TfrSysinfo::TfrSysinfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frSysinfo"));
    setWindowTitle(QString::fromUtf8("ｼｽﾃﾑ情報"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menu = new QMenuBar(this);
    QAction* close = menu->addAction(QString::fromUtf8("閉じる(&C)"));
    close->setObjectName(QStringLiteral("mnuCl"));
    connect(close, &QAction::triggered, this, [this] { mnuClClick(); });
    layout->setMenuBar(menu);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont fixed(QString::fromUtf8("ＭＳ ゴシック"));
    fixed.setPixelSize(12);
    fixed.setStyleHint(QFont::Monospace);
    Memo1->setFont(fixed);
    layout->addWidget(Memo1);
    resize(201, 254 + menu->sizeHint().height());
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);
}

TfrSysinfo::~TfrSysinfo() {
    if (frSysinfo == this) frSysinfo = nullptr;
}

void TfrSysinfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TfrSysinfo::FormActivate() { FillSystemInfo(); }

void TfrSysinfo::FillSystemInfo() {
    for (const QString& line : SystemInfoLines(TotalPhysicalMemory(), LocalVolumes()))
        Memo1->appendPlainText(line);
}

void TfrSysinfo::mnuClClick() { close(); }

}  // namespace accessories
