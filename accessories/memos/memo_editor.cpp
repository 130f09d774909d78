#include "memo_editor.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>

#include "clock.h"
#include "cp932.h"
#include "dialogs.h"
#include "encodable_text.h"
#include "file_io.h"
#include "form_controls.h"
#include "globals.h"
#include "memo_text_tools.h"
#include "message_box.h"
#include "modal_windows.h"
#include "paths.h"
#include "title_bar.h"

using namespace foundation;

namespace accessories {

namespace {

// File-name part of a CP932 path.
std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TfrMemo::TfrMemo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frMemo"));
    setWindowTitle(U("メモの編集"));
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    platform::SetTitleBar(this, platform::TitleBar::Full);
    resize(516, 364);

    tx = new QPlainTextEdit(this);
    tx->setObjectName(QStringLiteral("tx"));
    tx->setLineWrapMode(QPlainTextEdit::NoWrap);
    tx->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tx->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mincho(U("ＭＳ 明朝"));
    mincho.setPixelSize(13);
    tx->setFont(mincho);
    QPalette p = tx->palette();
    p.setColor(QPalette::Text, Qt::black);
    tx->setPalette(p);

    MakeMenuBarLayout(this, MainMenu1)->addWidget(tx);

    QMenu* mnuCl = MainMenu1->addMenu(U("閉じる(&C)"));
    mnuCl->setObjectName(QStringLiteral("mnuCl"));
    connect(AddItem(mnuCl, "Close1", "閉じる(&C)"), &QAction::triggered, this,
            [this] { Close1Click(); });

    QMenu* edit = MainMenu1->addMenu(U("編集(&E)"));
    edit->setObjectName(QStringLiteral("Edit1"));
    QAction* undo = AddItem(edit, "Undo1", "元に戻す(&U)");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, tx, &QPlainTextEdit::undo);
    edit->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction* cut = AddItem(edit, "Cut1", "切り取り(&T)");
    cut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    connect(cut, &QAction::triggered, tx, &QPlainTextEdit::cut);
    QAction* copy = AddItem(edit, "Copy1", "コピー(&C)");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, tx, &QPlainTextEdit::copy);
    QAction* paste = AddItem(edit, "Paste1", "貼り付け(&P)");
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(paste, &QAction::triggered, tx, &QPlainTextEdit::paste);
    connect(AddItem(edit, "mnuSelAll", "すべて選択(&L)"), &QAction::triggered, tx,
            &QPlainTextEdit::selectAll);

    QMenu* find = MainMenu1->addMenu(U("検索(&S)"));
    find->setObjectName(QStringLiteral("Find1"));
    QAction* find2 = AddItem(find, "Find2", "検索(&F)");
    find2->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find2, &QAction::triggered, this, [this] { Find2Click(); });
    QAction* next = AddItem(find, "FindNext1", "次を検索(&S)");
    next->setShortcut(QKeySequence(Qt::Key_F3));
    connect(next, &QAction::triggered, this, [this] { FindNext1Click(); });

    KI1 = MainMenu1->addMenu(U("挿入(&I)"));
    KI1->setObjectName(QStringLiteral("KI1"));
    connect(AddItem(KI1, "mnuDateIns", "今日の日付(&D)"), &QAction::triggered, this,
            [this] { mnuDateInsClick(); });
    connect(AddItem(KI1, "mnuTimeIns", "現在の時刻(&T)"), &QAction::triggered, this,
            [this] { mnuTimeInsClick(); });
}

QAction* TfrMemo::AddItem(QMenu* menu, const char* name, const char* caption) {
    QAction* a = menu->addAction(U(caption));
    a->setObjectName(QString::fromLatin1(name));
    // The box's own keys (Ctrl+Z, Ctrl+C ...) act the same; the menu's work from anywhere.
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
}

void TfrMemo::SetText(const std::string& cp932) {
    tx->setPlainText(platform::FromCp932(platform::CrLfToLf(cp932)));
    tx->document()->setModified(false);
}

std::string TfrMemo::Text() const {
    return platform::LfToCrLf(platform::ToCp932(tx->toPlainText()));
}

bool TfrMemo::LoadFile(const std::string& path) {
    if (!platform::FileExists(path)) return true;
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return false;
    SetText(bytes);
    return true;
}

bool TfrMemo::Modified() const { return tx->document()->isModified(); }

void TfrMemo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FirstShow(shown_)) FormShow();
}

void TfrMemo::FormShow() {
    if (PrjMode != 0) {
        KI1->menuAction()->setVisible(false);
    } else {
        if (Settings.memo_tlwh.w > 10) resize(Settings.memo_tlwh.w, height());
        if (Settings.memo_tlwh.h > 10) resize(width(), Settings.memo_tlwh.h);
        setWindowTitle(U("メモ[") + platform::DiskPath(FileNamePart(MemoFileName)) +
                       U("]を編集中"));
    }
    if (QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrMemo::Close1Click() { close(); }

bool TfrMemo::FormClose() {
    if (Modified() && platform::ClosedForExit(this)) {
        // A signal or the session's end closes the window: the question would be answered
        // "no" for the user and the text typed lost. It is stored as it stands; as for the
        // day's text, characters Shift-JIS cannot hold are left out and named on the error
        // output, since nobody is there to answer.
        const platform::UnattendedMessages unattended;
        const bool stored = ConfirmDocuments({tx->document()}) &&
                            platform::WriteFileAtomic(MemoFileName, TextWithLastLineEnd());
        if (stored) tx->document()->setModified(false);
        modalResult_ = stored ? kResultSaved : kResultNotSaved;
    } else if (Modified()) {
        const QString question = PrjMode == 0 ? U("変更したメモを保存しますか？")
                                              : U("編集したﾌﾟﾛｼﾞｪｸﾄ名を保存しますか？");
        const int answer = platform::MessageDlg(question, platform::MsgKind::Confirmation,
                                                {platform::kBtnYes, platform::kBtnNo});
        if (answer == platform::kBtnYes) {
            // Back to the text as typed: the window stays open, the text still changed.
            if (!ConfirmDocuments({tx->document()})) return false;
            if (!platform::WriteFileAtomic(MemoFileName, TextWithLastLineEnd())) {
                platform::MessageDlg(
                    U("ファイル ") + platform::DiskPath(MemoFileName) + U(" に書き込めません。"),
                    platform::MsgKind::Error, {platform::kBtnOk});
                return false;
            }
            tx->document()->setModified(false);
            modalResult_ = kResultSaved;
        } else {
            modalResult_ = kResultNotSaved;
        }
    }
    if (PrjMode == 0) {
        Settings.memo_tlwh.w = static_cast<int16_t>(width());
        Settings.memo_tlwh.h = static_cast<int16_t>(height());
    }
    return true;
}

std::string TfrMemo::TextWithLastLineEnd() const {
    std::string bytes = Text();
    // Each line ends with CR LF, the last one too.
    if (!bytes.empty() && bytes.back() != '\n') bytes += "\r\n";
    return bytes;
}

void TfrMemo::done(int) {
    // Every way out (menu, Esc, title bar) asks and saves here.
    if (!FormClose()) return;
    QDialog::done(modalResult_);
}

void TfrMemo::Find2Click() {
    const std::optional<QString> answer = platform::Dialogs().Text(
        this, U("メモ内容の検索"), U("検索したい文字を入力してください."), QString());
    if (!answer || answer->isEmpty()) return;
    Searched = 0;
    SearchText = *answer;
    FindInMemo();
}

void TfrMemo::FindNext1Click() {
    if (Searched == 0 || SearchText.isEmpty()) return;
    FindInMemo();
}

void TfrMemo::FindInMemo() {
    QTextCursor cursor = tx->textCursor();
    const int start = MemoSearchStart(cursor.selectionStart(), LastFoundPos, Searched == 1);
    const int found = FindMemoText(tx->toPlainText(), SearchText, start);
    if (found >= 0) {
        cursor.setPosition(found);
        cursor.setPosition(found + static_cast<int>(SearchText.size()), QTextCursor::KeepAnchor);
        tx->setTextCursor(cursor);
        tx->ensureCursorVisible();
    }
    tx->setFocus();
    LastFoundPos = tx->textCursor().selectionStart();
    Searched = 1;
}

void TfrMemo::mnuDateInsClick() {
    tx->insertPlainText(MemoDateText(platform::CurrentClock().Now()));
}

void TfrMemo::mnuTimeInsClick() {
    tx->insertPlainText(MemoTimeText(platform::CurrentClock().Now()));
}

}  // namespace accessories
