#include "todo_input.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "calendar_rules.h"
#include "cp932.h"
#include "dialogs.h"
#include "encodable_text.h"
#include "file_io.h"
#include "form_controls.h"
#include "globals.h"
#include "message_box.h"
#include "paths.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

namespace {

// The dialog's labels are bold.
QLabel* MakeBoldLabel(QWidget* parent, const char* name, const char* caption, int left, int top) {
    QLabel* l = MakeLabel(parent, name, caption, left, top);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->adjustSize();
    return l;
}

QComboBox* MakeList(QWidget* parent, const char* name, const QRect& geometry,
                    std::initializer_list<const char*> items) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setGeometry(geometry);
    for (const char* i : items) c->addItem(U(i));
    return c;
}

QString Num(const char* format, int value) { return QString::asprintf(format, value); }

// The whole number of a box, or -1.
int BoxNumber(const QComboBox* box) {
    bool ok = false;
    const int v = box->currentText().trimmed().toInt(&ok);
    return ok ? v : -1;
}

// Description and pattern pairs of the link's file dialog.
QString LinkFilter() {
    const char* const pairs[][2] = {
        {"すべてのﾌｧｲﾙ", "*"}, {"ﾃｷｽﾄﾌｧｲﾙ", "*txt"}, {"ﾜｰﾄﾞ文書ﾌｧｲﾙ", "*doc"}, {"ｴｸｾﾙﾌｧｲﾙ", "*xls"},
        {"ﾎｰﾑﾍﾟｰｼﾞ", "*htm"},  {"BMP", "*bmp"},      {"JPG", "*jpg"},          {"GIF", "*.gif"},
    };
    QStringList parts;
    for (const auto& p : pairs) parts << U(p[0]) + " (" + QString::fromLatin1(p[1]) + ")";
    return parts.join(QStringLiteral(";;"));
}

}  // namespace

TfrToDoInput::TfrToDoInput(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frToDoInput"));
    setWindowTitle(U("ToDoの新規追加"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    resize(448, 258);
    platform::SetTitleBar(this, platform::TitleBar::Dialog, true);

    Bevel2 = new QFrame(this);
    Bevel2->setObjectName(QStringLiteral("Bevel2"));
    Bevel2->setFrameShape(QFrame::Box);
    Bevel2->setFrameShadow(QFrame::Sunken);
    Bevel2->setGeometry(8, 8, 433, 209);

    MakeBoldLabel(this, "Label1", "目標完了日：", 24, 20);
    cb_yy = MakeCombo(this, "cb_yy", {104, 16, 73, 21});
    MakeBoldLabel(this, "Label2", "年", 182, 20);
    cb_mm = MakeCombo(this, "cb_mm", {208, 16, 49, 21});
    MakeBoldLabel(this, "Label3", "月", 262, 20);
    cb_dd = MakeCombo(this, "cb_dd", {288, 16, 41, 21});
    MakeBoldLabel(this, "Label4", "日", 334, 20);

    MakeBoldLabel(this, "Label6", "重要度：", 24, 52);
    cb_Zyuyo = MakeList(this, "cb_Zyuyo", {88, 48, 145, 21},
                        {"非常に重要", "重要", "普通", "あまり重要でない", "重要でない"});
    MakeBoldLabel(this, "Label7", "状態：", 248, 52);
    cb_zyoTai =
        MakeList(this, "cb_zyoTai", {288, 48, 89, 21}, {"未着手", "進行中", "保留中", "完了"});
    MakeBoldLabel(this, "Label8", "ﾌﾟﾛｼﾞｪｸﾄ：", 24, 84);
    cb_prj = MakeCombo(this, "cb_prj", {88, 80, 337, 21});

    MakeBoldLabel(this, "Label5", "内容：", 24, 110);
    tx_todo = MakeEdit(this, "tx_todo", {24, 128, 401, 21});
    MakeBoldLabel(this, "Label9", "関連情報：", 24, 166);
    kanren = MakeEdit(this, "kanren", {24, 184, 337, 21});
    kanren->setToolTip(U("このToDoに関連するﾜｰﾌﾟﾛ文書やURLなどを設定します。"));
    bt_san = MakeButton(this, "bt_san", "参照...", {368, 184, 57, 25});
    Button1 = MakeButton(this, "Button1", "O.K", {16, 224, 89, 25});
    Button1->setDefault(true);
    Button2 = MakeButton(this, "Button2", "ｷｬﾝｾﾙ", {344, 224, 89, 25});

    QWidget* order[] = {cb_yy,   cb_mm,  cb_dd,  cb_Zyuyo, cb_zyoTai, cb_prj,
                        tx_todo, kanren, bt_san, Button1,  Button2};
    for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(kResultCancel); });
    connect(bt_san, &QPushButton::clicked, this, [this] { bt_sanClick(); });
    FormCreate();
}

void TfrToDoInput::FormCreate() {
    cb_Zyuyo->setCurrentIndex(2);
    cb_zyoTai->setCurrentIndex(0);
    ProjectListPath = platform::JoinPath(BaseDir, "todo_prj.txt");
    projectsRead_ = ReadProjectNames(ProjectListPath, projectNames_);
    for (const std::string& n : projectNames_) cb_prj->addItem(platform::FromCp932(n));
    cb_prj->setCurrentText(QString());
}

void TfrToDoInput::SetItem(const ToDoRow& row) {
    original_ = row;
    tx_todo->setText(platform::FromCp932(row.content));
    cb_zyoTai->setCurrentIndex(cb_zyoTai->findText(platform::FromCp932(row.status)));
    cb_Zyuyo->setCurrentIndex(ImportanceCode(row.importance));
    cb_prj->setCurrentText(platform::FromCp932(row.project));
    kanren->setText(platform::FromCp932(row.link));
}

void TfrToDoInput::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfrToDoInput::FormShow() {
    int y, m, d;
    DecodeDate(InitialDate > 0 ? InitialDate : Date(), y, m, d);
    cb_yy->clear();
    for (int k = y; k <= y + 10; ++k) cb_yy->addItem(Num("%.4d", k));
    cb_yy->setCurrentText(Num("%.4d", y));
    cb_mm->clear();
    for (int k = 1; k <= 12; ++k) cb_mm->addItem(Num("%2d", k));
    cb_mm->setCurrentText(Num("%2d", m));
    cb_dd->clear();
    for (int k = 1; k <= 31; ++k) cb_dd->addItem(Num("%2d", k));
    cb_dd->setCurrentText(Num("%2d", d));
    if (QScreen* s = screen()) move(s->geometry().center() - rect().center());
}

void TfrToDoInput::Button1Click() {
    std::string date;
    if (!EntryDate(platform::ToCp932(cb_yy->currentText()), platform::ToCp932(cb_mm->currentText()),
                   platform::ToCp932(cb_dd->currentText()), date)) {
        platform::MessageDlg(U("目標完了日が正しくありません。"), platform::MsgKind::Warning,
                             {platform::kBtnOk});
        cb_yy->setFocus();
        return;
    }
    if (!ConfirmLineEdits({cb_prj->lineEdit(), tx_todo, kanren})) return;
    cb_mm->setCurrentText(Num("%.2d", BoxNumber(cb_mm)));
    cb_dd->setCurrentText(Num("%.2d", BoxNumber(cb_dd)));

    // The names as read, not as shown: a name nobody typed keeps its bytes.
    std::vector<std::string>& names = projectNames_;
    const QString shownProject = cb_prj->currentText();
    const std::string project = ProjectBytes(shownProject);
    if (!project.empty()) {
        UseProjectName(names, project);
        cb_prj->clear();
        for (const std::string& n : names) cb_prj->addItem(platform::FromCp932(n));
        cb_prj->setCurrentText(shownProject);
    }
    // A list that could not be read is not replaced by what this dialog knows of it.
    if (projectsRead_ != ProjectsRead::Unreadable &&
        !platform::WriteFileAtomic(ProjectListPath, FormatProjectNames(names))) {
        platform::MessageDlg(U("ﾌﾟﾛｼﾞｪｸﾄ名が書き込めません。"), platform::MsgKind::Warning,
                             {platform::kBtnOk});
    }
    QDialog::done(kResultOk);
}

std::string TfrToDoInput::ProjectBytes(const QString& shown) const {
    for (const std::string& n : projectNames_)
        if (platform::FromCp932(n) == shown) return n;
    return StoredText(shown, original_.project);
}

void TfrToDoInput::bt_sanClick() {
    const std::optional<QString> file =
        platform::Dialogs().OpenFileName(this, QString(), QString(), LinkFilter());
    if (file) kanren->setText(*file);
}

ToDoEntry TfrToDoInput::Entry() const {
    ToDoEntry e;
    e.importance = platform::ToCp932(cb_Zyuyo->currentText());
    e.status = platform::ToCp932(cb_zyoTai->currentText());
    e.year = platform::ToCp932(cb_yy->currentText());
    e.month = platform::ToCp932(cb_mm->currentText());
    e.day = platform::ToCp932(cb_dd->currentText());
    e.content = StoredText(tx_todo->text(), original_.content);
    e.project = ProjectBytes(cb_prj->currentText());
    e.link = StoredText(kanren->text(), original_.link);
    return e;
}

void TfrToDoInput::done(int) {
    // O.K closes through Button1Click alone, after its checks; every other way answers Cancel.
    QDialog::done(kResultCancel);
}

void TfrToDoInput::keyPressEvent(QKeyEvent* event) {
    // Escape is bound to no button.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace accessories
