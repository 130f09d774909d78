#include "todo_window.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <unordered_map>

#include "calendar_rules.h"
#include "cp932.h"
#include "desktop_session.h"
#include "form_controls.h"
#include "globals.h"
#include "ini_profile.h"
#include "memo_editor.h"
#include "message_box.h"
#include "modal_run.h"
#include "open_document.h"
#include "open_windows.h"
#include "paths.h"
#include "title_bar.h"
#include "todo_icons.h"
#include "todo_input.h"
#include "todo_print.h"

using namespace foundation;

namespace accessories {

TfrToDo* frToDo = nullptr;

namespace {

const char* const kCaptions[kToDoColumns] = {"重要度", "内容",     "状態",    "目標完了日",
                                             "残日数", "ﾌﾟﾛｼﾞｪｸﾄ", "関連情報"};

QRect ScreenRect() {
    if (QScreen* s = QGuiApplication::primaryScreen()) return s->geometry();
    return QRect(0, 0, 1024, 768);
}

// The row images as item data, made once.
const QVariant& IconData(int index) {
    static const std::array<QVariant, 20> icons = [] {
        std::array<QVariant, 20> v;
        for (int i = 0; i < 20; ++i) v[static_cast<size_t>(i)] = ToDoIcon(i);
        return v;
    }();
    return icons[static_cast<size_t>(index)];
}

// The cell texts and the image of rows. Texts that repeat down a column (all but the content
// and the link) are converted once for a whole list and share their text.
class RowTexts {
  public:
    void Fill(QTreeWidgetItem* item, const ToDoRow& row) {
        const Known& importance = Few(importance_, row.importance, ImportanceCode);
        const Known& status = Few(status_, row.status, StatusCode);
        item->setText(0, importance.shown);
        item->setText(1, platform::FromCp932(row.content));
        item->setText(2, status.shown);
        item->setText(3, Many(row.date));
        item->setText(4, Many(row.remain));
        item->setText(5, Many(row.project));
        item->setText(6, platform::FromCp932(row.link));
        // ToDoIconIndex of the two texts.
        item->setData(0, Qt::DecorationRole, IconData(importance.code + 5 * status.code));
    }

  private:
    struct Known {
        std::string cp932;
        QString shown;
        int code;
    };
    // A column of a handful of texts (importance, status): a look down a short list.
    static const Known& Few(std::vector<Known>& seen, const std::string& text,
                            int (*code)(const std::string&)) {
        for (const Known& k : seen)
            if (k.cp932 == text) return k;
        seen.push_back({text, platform::FromCp932(text), code(text)});
        return seen.back();
    }
    const QString& Many(const std::string& text) {
        const auto [it, added] = many_.try_emplace(text);
        if (added) it->second = platform::FromCp932(text);
        return it->second;
    }
    std::vector<Known> importance_, status_;
    std::unordered_map<std::string, QString> many_;
};

// The remaining days in bold when overdue.
void ShowOverdue(QTreeWidgetItem* item, const ToDoRow& row, const QFont& bold) {
    if (RemainIsOverdue(row.remain))
        item->setFont(4, bold);
    else if (item->data(4, Qt::FontRole).isValid())
        item->setData(4, Qt::FontRole, QVariant());
}

QTreeWidgetItem* NewItem(const ToDoRow& row, RowTexts& texts, const QFont& bold) {
    auto* item = new QTreeWidgetItem;
    texts.Fill(item, row);
    ShowOverdue(item, row, bold);
    return item;
}

}  // namespace

TfrToDo::TfrToDo(QWidget* parent)
    : QDialog(parent), list_(platform::JoinPath(BaseDir, "todo.dat")) {
    setObjectName(QStringLiteral("frToDo"));
    setWindowTitle(QStringLiteral("ToDo"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    platform::SetTitleBar(this, platform::TitleBar::Full);
    // Positions are the frame's, as the layout file keeps them; sizes are the window's.
    move(268, 190);
    resize(509, 109);

    sg1 = new QTreeWidget(this);
    sg1->setObjectName(QStringLiteral("sg1"));
    sg1->setColumnCount(kToDoColumns);
    sg1->setRootIsDecorated(false);
    sg1->setUniformRowHeights(true);
    sg1->setAllColumnsShowFocus(true);
    sg1->setSelectionMode(QAbstractItemView::SingleSelection);
    sg1->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg1->setIconSize(QSize(16, 16));
    sg1->setToolTip(U("ﾀﾞﾌﾞﾙｸﾘｯｸで編集、右ﾎﾞﾀﾝでﾒﾆｭｰを表示します。"));
    sg1->setContextMenuPolicy(Qt::CustomContextMenu);
    sg1->header()->setSectionsClickable(true);
    sg1->header()->setStretchLastSection(false);
    sg1->installEventFilter(this);
    sg1->viewport()->installEventFilter(this);

    MakeMenuBarLayout(this, MainMenu1)->addWidget(sg1);
    BuildMenus();

    connect(sg1->header(), &QHeaderView::sectionClicked, this,
            [this](int c) { sg1ColumnClick(c); });
    connect(sg1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(sg1->viewport()->mapToGlobal(p)); });

    tm1 = platform::CurrentTimers().CreateTimer();
    tm1->SetInterval(0);
    tm1->SetHandler([this] {
        tm1->SetInterval(0);
        close();
    });

    frToDo = this;
    SetWindowOpen(WindowKind::ToDoList, true, this);
    FormCreate();
}

TfrToDo::~TfrToDo() {
    if (frToDo == this) {
        frToDo = nullptr;
        SetWindowOpen(WindowKind::ToDoList, false);
    }
}

void TfrToDo::BuildMenus() {
    auto item = [this](QWidget* menu, const char* name, const char* caption) {
        auto* a = new QAction(U(caption), this);
        a->setObjectName(QString::fromLatin1(name));
        menu->addAction(a);
        return a;
    };
    auto on = [this](QAction* a, auto handler) {
        connect(a, &QAction::triggered, this, handler);
        return a;
    };

    mnuCl = on(item(MainMenu1, "mnuCl", "閉じる(&C)"), [this] { close(); });
    mnuEd = on(item(MainMenu1, "mnuEd", "修正(&E)"), [this] { mnuEdClick(); });
    mnuTuika = on(item(MainMenu1, "mnuTuika", "追加(&A)"), [this] { mnuTuikaClick(); });
    mnuDl = on(item(MainMenu1, "mnuDl", "削除(&D)"), [this] { Delete1Click(0); });
    Print1 = on(item(MainMenu1, "Print1", "印刷(&P)"), [this] { Print1Click(); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    mnuKanren =
        on(item(PopupMenu1, "mnuKanren", "関連情報を開く(&O)"), [this] { mnuKanrenClick(); });
    PopupMenu1->addSeparator();

    auto* importance = new QMenu(U("重要度の設定"), PopupMenu1);
    mnuJuSet = importance->menuAction();
    mnuJuSet->setObjectName(QStringLiteral("mnuJuSet"));
    PopupMenu1->addMenu(importance);
    const char* const importanceItems[][2] = {{"mnuJuSetSub", "非常に重要"},
                                              {"N2", "重要"},
                                              {"N3", "普通"},
                                              {"N4", "あまり重要でない"},
                                              {"N5", "重要でない"}};
    for (const auto& i : importanceItems) {
        const std::string caption = Sj(i[1]);
        on(item(importance, i[0], i[1]), [this, caption] { mnuJuSetSubClick(caption); });
    }

    auto* status = new QMenu(U("状態の設定"), PopupMenu1);
    mnuZyoSet = status->menuAction();
    mnuZyoSet->setObjectName(QStringLiteral("mnuZyoSet"));
    PopupMenu1->addMenu(status);
    const char* const statusItems[][2] = {
        {"mnuZyoSetS", "進行中"}, {"N11", "保留中"}, {"N8", "完了"}, {"N9", "未着手"}};
    for (const auto& i : statusItems) {
        const std::string caption = Sj(i[1]);
        on(item(status, i[0], i[1]), [this, caption] { mnuZyoSetSClick(caption); });
    }

    Edit1 = on(item(PopupMenu1, "Edit1", "ToDo編集"), [this] { mnuEdClick(); });
    N10 = on(item(PopupMenu1, "N10", "ToDo追加"), [this] { mnuTuikaClick(); });
    mnuPrjEdit =
        on(item(PopupMenu1, "mnuPrjEdit", "ﾌﾟﾛｼﾞｪｸﾄ名の編集"), [this] { mnuPrjEditClick(); });
    PopupMenu1->addSeparator();

    auto* del = new QMenu(U("ToDo削除"), PopupMenu1);
    Delete1 = del->menuAction();
    Delete1->setObjectName(QStringLiteral("Delete1"));
    PopupMenu1->addMenu(del);
    on(item(del, "mnuToDoDel2log", "ﾛｸﾞに残す"), [this] { Delete1Click(1); });
    on(item(del, "Delete2", "削除"), [this] { Delete1Click(0); });
    mnuDelToDoDisp = on(item(PopupMenu1, "mnuDelToDoDisp", "削除したToDoを参照する"),
                        [this] { mnuDelToDoDispClick(); });
    PopupMenu1->addSeparator();
    Print2 = on(item(PopupMenu1, "Print2", "印刷(&P)"), [this] { Print1Click(); });
    PopupMenu1->addSeparator();
    mnuToDoClose = on(item(PopupMenu1, "mnuToDoClose", "ToDoを閉じる(&C)"), [this] { close(); });
}

void TfrToDo::FormCreate() {
    AlertMode = 0;
    QStringList captions;
    for (const char* c : kCaptions) captions << U(c);
    sg1->setHeaderLabels(captions);
    for (int c = 0; c < kToDoColumns; ++c) sg1->setColumnWidth(c, kToDoInitialWidths[c]);
    LoadToDoLayout();
}

std::string TfrToDo::FilePath(const char* name) const { return platform::JoinPath(BaseDir, name); }

void TfrToDo::LoadToDoLayout() {
    const platform::IniProfile ini(FilePath("todo.ini"));
    const int top = ini.ReadInteger("TLWH", "T", y());
    const int left = ini.ReadInteger("TLWH", "L", x());
    const int w = ini.ReadInteger("TLWH", "W", width());
    const int h = ini.ReadInteger("TLWH", "H", height());
    // Sizes that cannot be a window or a column are left as they are.
    move(left, top);
    resize(w > 0 && w < 100000 ? w : width(), h > 0 && h < 100000 ? h : height());
    for (int c = 0; c < kToDoColumns; ++c) {
        const int width = ini.ReadInteger("SG", std::to_string(c), sg1->columnWidth(c));
        if (width > 0 && width < 100000) sg1->setColumnWidth(c, width);
    }
}

void TfrToDo::SaveToDoLayout() {
    platform::IniProfile ini(FilePath("todo.ini"));
    // A place the platform cannot tell is not written over the one stored.
    if (platform::WindowPlacesKnown()) {
        ini.WriteInteger("TLWH", "T", y());
        ini.WriteInteger("TLWH", "L", x());
    }
    ini.WriteInteger("TLWH", "W", width());
    ini.WriteInteger("TLWH", "H", height());
    for (int c = 0; c < kToDoColumns; ++c)
        ini.WriteInteger("SG", std::to_string(c), sg1->columnWidth(c));
    ini.Save();
}

void TfrToDo::LoadToDo() {
    list_.alertMode = AlertMode == 1;
    list_.todozan = Settings.todozan;
    list_.Load(Date());
}

bool TfrToDo::SaveToDo() {
    list_.alertMode = AlertMode == 1;
    return list_.Save();
}

bool TfrToDo::HasToDo() {
    LoadToDo();
    Refresh(-1);
    return !list_.rows.empty();
}

bool TfrToDo::SaveForExit() {
    if (AlertMode == 1) return true;
    if (list_.Unsaved() && !SaveToDo()) return false;
    SaveToDoLayout();
    return true;
}

void TfrToDo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfrToDo::FormShow() {
    if (AlertMode == 0) {
        LoadToDo();
        Refresh(-1);
    } else {
        sg1->setToolTip(U("ﾘﾀｰﾝまたはｸﾘｯｸで閉じます。"));
        setWindowTitle(U("完了期限が迫っている ToDo 一覧"));
        mnuCl->setText(U("了解(&C)"));
        for (QAction* a : {mnuTuika, mnuDl, mnuEd}) a->setVisible(false);
        for (QAction* a : {mnuJuSet, mnuZyoSet, Edit1, N10, Delete1, mnuKanren})
            a->setEnabled(false);
    }
    const QRect screen = ScreenRect();
    QRect g(pos(), size());
    if (g.width() >= screen.width()) {
        g.setWidth(g.width() - 6);
        g.moveLeft(0);
    }
    if (g.height() >= screen.height()) {
        g.setHeight(g.height() - 6);
        g.moveTop(0);
    }
    if (g.left() < 0 || g.left() >= screen.width() - 50) g.moveLeft(0);
    if (g.top() < 0 || g.top() >= screen.height() - 50) g.moveTop(0);
    if (AlertMode == 1) g.moveCenter(screen.center());
    resize(g.size());
    move(g.topLeft());
}

QFont TfrToDo::BoldFont() const {
    QFont bold = sg1->font();
    bold.setBold(true);
    return bold;
}

void TfrToDo::Refresh(int select) {
    sg1->setUpdatesEnabled(false);
    sg1->clear();
    RowTexts texts;
    const QFont bold = BoldFont();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<int>(list_.rows.size()));
    for (const ToDoRow& row : list_.rows) items.append(NewItem(row, texts, bold));
    sg1->addTopLevelItems(items);
    sg1->setUpdatesEnabled(true);
    Select(select);
}

void TfrToDo::RowChanged(int index) {
    if (sg1->topLevelItemCount() != static_cast<int>(list_.rows.size())) {
        Refresh(index);
        return;
    }
    QTreeWidgetItem* item = sg1->topLevelItem(index);
    const ToDoRow& row = list_.rows[static_cast<size_t>(index)];
    RowTexts().Fill(item, row);  // a text that stays is no change to the view
    ShowOverdue(item, row, BoldFont());
    Select(index);
}

int TfrToDo::Selected() const {
    const QList<QTreeWidgetItem*> selected = sg1->selectedItems();
    return selected.isEmpty() ? -1 : sg1->indexOfTopLevelItem(selected.first());
}

void TfrToDo::Select(int row) {
    if (row < 0 || row >= sg1->topLevelItemCount()) return;
    QTreeWidgetItem* item = sg1->topLevelItem(row);
    sg1->setCurrentItem(item);
    item->setSelected(true);
    sg1->scrollToItem(item);
}

std::array<int, kToDoColumns> TfrToDo::ColumnWidths() const {
    std::array<int, kToDoColumns> w{};
    for (int c = 0; c < kToDoColumns; ++c) w[c] = sg1->columnWidth(c);
    return w;
}

void TfrToDo::mnuTuikaClick() {
    TfrToDoInput dialog(this);
    dialog.InitialDate = 0;
    const int result = platform::RunModal(dialog);
    if (result != TfrToDoInput::kResultOk) return;
    list_.Add(dialog.Entry(), Date());
    const int last = static_cast<int>(list_.rows.size()) - 1;
    if (sg1->topLevelItemCount() != last) {
        Refresh(last);
        return;
    }
    RowTexts texts;
    sg1->addTopLevelItem(NewItem(list_.rows.back(), texts, BoldFont()));
    Select(last);
}

void TfrToDo::mnuEdClick() {
    if (AlertMode == 1) {
        close();
        return;
    }
    const int index = Selected();
    if (index < 0) {
        mnuTuikaClick();
        return;
    }
    const ToDoRow& row = list_.rows[static_cast<size_t>(index)];
    TfrToDoInput dialog(this);
    dialog.setWindowTitle(U("ToDo の修正"));
    try {
        dialog.InitialDate = StrToDateTimeStd(row.date);
    } catch (const EConvertError&) {
        dialog.InitialDate = 0;
    }
    dialog.SetItem(row);
    const int result = platform::RunModal(dialog);
    if (result != TfrToDoInput::kResultOk) return;
    list_.Edit(static_cast<size_t>(index), dialog.Entry(), Date());
    RowChanged(index);
}

void TfrToDo::mnuJuSetSubClick(const std::string& importance) {
    const int index = Selected();
    if (index < 0) return;
    list_.SetImportance(static_cast<size_t>(index), importance);
    RowChanged(index);
}

void TfrToDo::mnuZyoSetSClick(const std::string& status) {
    const int index = Selected();
    if (index < 0) return;
    list_.SetStatus(static_cast<size_t>(index), status, Date());
    RowChanged(index);
}

void TfrToDo::Delete1Click(int tag) {
    const int index = Selected();
    if (index < 0) return;
    const bool toLog = tag == 1;
    const QString question = toLog ? U("選択されている ToDo を削除し、ﾛｸﾞﾌｧｲﾙに記録します。")
                                   : U("選択されている ToDo を削除します。");
    if (platform::MessageDlg(question, platform::MsgKind::Confirmation,
                             {platform::kBtnYes, platform::kBtnNo}) != platform::kBtnYes)
        return;
    if (toLog) {
        switch (AppendToDoLog(FilePath("todo_log.txt"), list_.rows[static_cast<size_t>(index)],
                              Date())) {
            case LogResult::OpenFailed:
                platform::ShowMessage(U("削除したToDoを格納するﾛｸﾞﾌｧｲﾙが開けません。"));
                return;
            case LogResult::WriteFailed:
                platform::ShowMessage(U("削除したToDoを格納するﾛｸﾞﾌｧｲﾙが閉じれません。"));
                return;
            case LogResult::Ok:
                break;
        }
    }
    list_.Delete(static_cast<size_t>(index));
    const int next = std::min(index, static_cast<int>(list_.rows.size()) - 1);
    if (sg1->topLevelItemCount() != static_cast<int>(list_.rows.size()) + 1) {
        Refresh(next);
        return;
    }
    // No current row while the item goes: the view would scroll to the row that follows it.
    sg1->selectionModel()->clear();
    delete sg1->takeTopLevelItem(index);
    Select(next);
}

void TfrToDo::mnuKanrenClick() {
    const int index = Selected();
    if (index < 0) {
        platform::ShowMessage(U("編集する ToDo が選択されていません。"));
        return;
    }
    const std::string& link = list_.rows[static_cast<size_t>(index)].link;
    if (!link.empty()) platform::OpenDocument(platform::FromCp932(link));
}

void TfrToDo::mnuDelToDoDispClick() {
    platform::OpenDocument(platform::DiskPath(FilePath("todo_log.txt")));
}

void TfrToDo::mnuPrjEditClick() {
    TfrMemo editor(this);
    editor.PrjMode = 1;
    editor.setWindowTitle(U("ﾌﾟﾛｼﾞｪｸﾄ名編集中"));
    editor.MemoFileName = FilePath("todo_prj.txt");
    // A list that could not be read must not be replaced by an empty one.
    if (!editor.LoadFile(editor.MemoFileName)) {
        platform::ShowMessage(U("ﾌﾟﾛｼﾞｪｸﾄ名のﾌｧｲﾙが読み込めません。"));
        return;
    }
    platform::RunModal(editor);
}

void TfrToDo::Print1Click() { PrintToDo(this, list_.rows, ColumnWidths()); }

void TfrToDo::sg1ColumnClick(int column) {
    const int selected = Selected();
    const std::vector<size_t> order = list_.Sort(column);
    int now = -1;
    for (size_t i = 0; i < order.size(); ++i)
        if (static_cast<int>(order[i]) == selected) now = static_cast<int>(i);
    if (order.size() != list_.rows.size() ||
        sg1->topLevelItemCount() != static_cast<int>(order.size())) {
        Refresh(now);
        return;
    }
    // The items move as the rows did; none is made anew.
    sg1->setUpdatesEnabled(false);
    sg1->selectionModel()->clear();
    const QList<QTreeWidgetItem*> items = sg1->invisibleRootItem()->takeChildren();
    QList<QTreeWidgetItem*> sorted;
    sorted.reserve(items.size());
    for (size_t i : order) sorted.append(items[static_cast<qsizetype>(i)]);
    sg1->addTopLevelItems(sorted);
    sg1->setUpdatesEnabled(true);
    Select(now);
}

void TfrToDo::done(int result) {
    // Every way of closing comes here. A list that cannot be saved stays open (the save has
    // said so); the alert writes nothing.
    if (AlertMode == 0) {
        if (list_.Unsaved() && !SaveToDo()) return;
        SaveToDoLayout();
    }
    tm1->SetInterval(0);
    // A list that frees itself is gone for every opener from here on.
    if (testAttribute(Qt::WA_DeleteOnClose) && frToDo == this) {
        frToDo = nullptr;
        SetWindowOpen(WindowKind::ToDoList, false);
    }
    QDialog::done(result);
}

void TfrToDo::keyPressEvent(QKeyEvent* event) {
    // Escape does not close the list; Enter in the list does (below).
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TfrToDo::eventFilter(QObject* watched, QEvent* event) {
    // Enter closes on its release, and only when it was pressed here: the release of the
    // key that closed the window before must not close this one too.
    if (watched == sg1 &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            if (key->isAutoRepeat()) return true;
            if (event->type() == QEvent::KeyPress) {
                enterDown_ = true;
            } else if (enterDown_) {
                enterDown_ = false;
                close();
            }
            return true;
        }
    }
    // A double click anywhere in the list edits (adds when no row is selected).
    if (watched == sg1->viewport() && event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        mnuEdClick();
        return true;
    }
    if (watched == sg1->viewport() && event->type() == QEvent::MouseButtonRelease &&
        AlertMode == 1 && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OpenToDoWindow() {
    if (frToDo) {
        if (frToDo->isMinimized()) frToDo->showNormal();
        frToDo->show();
        frToDo->raise();
        frToDo->activateWindow();
        frToDo->sg1->viewport()->update();
        frToDo->sg1->setFocus();
        return;
    }
    auto* window = new TfrToDo();
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->AlertMode = 0;
    window->show();
    window->sg1->viewport()->update();
}

void ShowToDoAlertWindow() {
    auto window = std::make_unique<TfrToDo>();
    window->AlertMode = 1;
    if (window->HasToDo()) {
        window->tm1->SetInterval(Settings.TM_TT);
        platform::RunModal(*window);
    }
    window.reset();
    frToDo = nullptr;
}

bool SaveOpenToDoWindow() { return frToDo ? frToDo->SaveForExit() : true; }

}  // namespace accessories
