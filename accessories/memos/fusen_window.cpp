#include "fusen_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include "clipboard.h"
#include "color.h"
#include "cp932.h"
#include "desktop_session.h"
#include "dialogs.h"
#include "globals.h"
#include "image_editor.h"
#include "link_dialog.h"
#include "memo_editor_call.h"
#include "memo_names.h"
#include "message_box.h"
#include "messages.h"
#include "open_document.h"
#include "open_memo_table.h"
#include "paths.h"
#include "stored_font.h"
#include "trash.h"
#include "unreadable_files.h"
#include "window_flags.h"
#include "window_frame.h"

using namespace foundation;
using namespace schedule;

namespace accessories {

namespace {

constexpr int kEdge = 4;  // width of the sizing border

QString ShownText(const std::string& cp932) {
    QString text = platform::FromCp932(cp932);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

}  // namespace

namespace {

// The usable part of the screen a point lies on (the primary screen's when it lies on none).
QRect ScreenAreaAt(QPoint at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// What a new note must not cover: the main window (placed before the notes of the last run
// come back, though not shown yet), the day window when it is shown, and the other notes shown,
// so that a second new note does not hide the first.
std::vector<QRect> FramesToKeepClear(const QWidget* note) {
    std::vector<QRect> frames;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        const QString name = w->objectName();
        const bool otherNote = name == QLatin1String("frFusen") && w != note;
        if ((name == QLatin1String("frYo3") || otherNote) && w->isVisible())
            frames.push_back(w->frameGeometry());
        // Not shown yet, it has been placed by its frame, whose size the window manager told.
        if (name == QLatin1String("frTavik"))
            frames.push_back(
                w->isVisible() ? w->frameGeometry()
                               : QRect(w->pos(), w->size().grownBy(platform::FrameExtents(w, 0))));
    }
    return frames;
}

}  // namespace

QRect DesktopRect() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->virtualGeometry() : QRect(0, 0, 1024, 768);
}

TfrFusen::TfrFusen() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frFusen"));
    setWindowTitle(QStringLiteral("frFusen"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMouseTracking(true);
    setMinimumSize(kFusenMinWidth, kFusenMinHeight);
    setFont(QFont(U("ＭＳ Ｐゴシック"), 9));
    NoteFont = INIT::DefaultMemoFont();
    resize(315, 124);
    BuildMenu();
    platform::SkipTaskbarKeepingType(this);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { ReloadPicture(); });
}

TfrFusen::~TfrFusen() {
    // Also when the program ends with the note open.
    SaveFusenIni();
    ReleaseSlot();
}

void TfrFusen::BuildMenu() {
    pmnu = new QMenu(this);
    pmnu->setObjectName(QStringLiteral("pmnu"));
    auto item = [this](QMenu* menu, const char* name, const char* caption,
                       void (TfrFusen::*handler)()) {
        QAction* a = menu->addAction(U(caption));
        a->setObjectName(QString::fromLatin1(name));
        if (handler) connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    close1 = item(pmnu, "close1", "閉じる(&C)", &TfrFusen::close1Click);
    pmnu->addSeparator();
    mnuKanrenOpen =
        item(pmnu, "mnuKanrenOpen", "関連付けした情報を開く(&O)", &TfrFusen::mnuKanrenOpenClick);
    mnuKanrenEd = item(pmnu, "mnuKanrenEd", "情報を関連付けする(&K)", &TfrFusen::mnuKanrenEdClick);
    pmnu->addSeparator();
    mnuEdit = item(pmnu, "mnuEdit", "編集(&E)", &TfrFusen::mnuEditClick);
    pmnu->addSeparator();
    mnuHagasu = item(pmnu, "mnuHagasu", "はがす(ﾒﾓﾌｧｲﾙの消去）", &TfrFusen::mnuHagasuClick);
    pmnu->addSeparator();
    New1 = pmnu->addMenu(U("ﾒﾓの新規作成"));
    New1->setObjectName(QStringLiteral("New1"));
    mnuTextMemoMk = item(New1, "mnuTextMemoMk", "ﾃｷｽﾄ", &TfrFusen::mnuTextMemoMkClick);
    mnuBmpMemoMk = item(New1, "mnuBmpMemoMk", "画像", &TfrFusen::mnuBmpMemoMkClick);
    pmnu->addSeparator();
    mnuCopy = item(pmnu, "mnuCopy", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞへｺﾋﾟｰ(&B)", &TfrFusen::mnuCopyClick);
    mnuHarituke = item(pmnu, "mnuHarituke", "ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼付け", nullptr);
    mnuHarituke->setVisible(false);
    pmnu->addSeparator();
    mnuCol = item(pmnu, "mnuCol", "背景色の変更(&H)", &TfrFusen::mnuColClick);
    mnuTxt = item(pmnu, "mnuTxt", "ﾌｫﾝﾄの変更(&F)", &TfrFusen::mnuTxtClick);
    mnuTemae = item(pmnu, "mnuTemae", "常に手前に表示する", nullptr);
    mnuTemae->setCheckable(true);
    // The check mark changes only through the handler.
    connect(mnuTemae, &QAction::triggered, this, [this](bool checked) {
        mnuTemae->setChecked(!checked);
        mnuTemaeClick();
    });
}

std::string TfrFusen::FileName() const {
    if (tag_ < 0 || tag_ >= kMemoSlots) return {};
    const FUSEN_BK_KATA& slot = OpenMemoTable[tag_];
    return slot.Wnd == this || !slot.HasWnd ? slot.FileName : std::string();
}

void TfrFusen::SetText(const std::string& text) {
    Text = text;
    shownText_ = IsBitmap == 1 ? QString() : ShownText(text);
    if (IsBitmap == 1) ReloadPicture();
    update();
}

void TfrFusen::ReloadPicture() {
    picture_ = QImage();
    if (IsBitmap == 1) {
        const std::string path = FileName().empty() ? Text : FileName();
        if (platform::FileExists(path)) picture_.load(platform::DiskPath(path));
        WatchPicture();
    }
    update();
}

void TfrFusen::WatchPicture() {
    // Editors often write a new file over the old one: the watch is renewed each time.
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    const std::string path = FileName().empty() ? Text : FileName();
    if (platform::FileExists(path)) watcher_.addPath(platform::DiskPath(path));
}

FusenLook TfrFusen::CurrentLook() const {
    FusenLook look;
    look.top = y();
    look.left = x();
    look.placeKnown = platform::WindowPlacesKnown();
    look.width = width();
    look.height = height();
    look.backColor = BackColor;
    if (tag_ >= 0 && tag_ < kMemoSlots) look.link = OpenMemoTable[tag_].Link;
    look.temae = mnuTemae->isChecked();
    look.font = NoteFont;
    return look;
}

void TfrFusen::LoadFusenIni() {
    const std::string path = FileName();
    if (CompanionIniPath(path).empty()) return;
    FusenLook current = CurrentLook();
    current.font.Bold = current.font.Italic = current.font.Underline = current.font.StrikeOut =
        false;
    FusenLook look = accessories::LoadFusenIni(path, current);
    // Its own look was never read: what the note shows now must not replace it.
    if (store::IsUnreadable(CompanionIniPath(path))) IniSaved = 1;
    if (!look.placeStored) {
        const QPoint at =
            NewNotePlace(QRect(look.left, look.top, look.width, look.height),
                         ScreenAreaAt(QPoint(look.left, look.top)), FramesToKeepClear(this));
        look.left = at.x();
        look.top = at.y();
    }
    ClampNoteToDesktop(look, DesktopRect());
    setGeometry(look.left, look.top, look.width, look.height);
    BackColor = look.backColor;
    NoteFont = look.font;
    FUSEN_BK_KATA& slot = OpenMemoTable[tag_];
    slot.Link = look.link;
    slot.TopMost = look.temae ? 1 : 0;
    mnuTemae->setChecked(look.temae);
    platform::SetTopMost(this, look.temae);
    update();
}

void TfrFusen::SaveFusenIni() {
    if (IniSaved == 1) return;
    WriteLookNow();
    IniSaved = 1;
}

void TfrFusen::WriteLookNow() {
    if (IniSaved == 1) return;
    const std::string path = FileName();
    if (!CompanionIniPath(path).empty()) accessories::SaveFusenIni(path, CurrentLook());
}

void TfrFusen::ReleaseSlot() {
    if (tag_ >= 0 && tag_ < kMemoSlots && OpenMemoTable[tag_].Wnd == this) FreeMemoSlot(tag_);
    tag_ = -1;
}

void TfrFusen::ReassertTopMost() {
    if (tag_ < 0 || OpenMemoTable[tag_].TopMost != 1) return;
    platform::SetTopMost(this, true);
    platform::RaiseWithoutActivating(this);
}

void TfrFusen::closeEvent(QCloseEvent* event) {
    SaveFusenIni();
    ReleaseSlot();
    event->accept();
}

void TfrFusen::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(platform::ToQColor(BackColor));
    p.drawRect(0, 0, width() - 1, height() - 1);
    if (IsBitmap == 1) {
        if (!picture_.isNull()) p.drawImage(1, 1, picture_);
        return;
    }
    p.setFont(ToQFont(NoteFont));
    p.setPen(platform::ToQColor(NoteFont.Color));
    p.drawText(QRect(4, 4, width() - 4, height() - 4),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shownText_);
}

Qt::Edges TfrFusen::EdgesAt(const QPoint& pos) const {
    Qt::Edges edges;
    if (pos.x() < kEdge) edges |= Qt::LeftEdge;
    if (pos.x() >= width() - kEdge) edges |= Qt::RightEdge;
    if (pos.y() < kEdge) edges |= Qt::TopEdge;
    if (pos.y() >= height() - kEdge) edges |= Qt::BottomEdge;
    return edges;
}

void TfrFusen::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Qt::Edges edges = EdgesAt(event->position().toPoint());
    if (edges && windowHandle() && windowHandle()->startSystemResize(edges)) return;
    leftDown_ = true;
    pressPos_ = event->position().toPoint();
}

void TfrFusen::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (leftDown_ && (event->buttons() & Qt::LeftButton)) {
        if ((pos - pressPos_).manhattanLength() < 2) return;
        leftDown_ = false;
        // The window manager moves the note with the mouse from here.
        if (windowHandle()) windowHandle()->startSystemMove();
        return;
    }
    const Qt::Edges edges = EdgesAt(pos);
    Qt::CursorShape shape = Qt::ArrowCursor;
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge)) {
        shape = Qt::SizeFDiagCursor;
    } else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge)) {
        shape = Qt::SizeBDiagCursor;
    } else if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
        shape = Qt::SizeHorCursor;
    } else if (edges & (Qt::TopEdge | Qt::BottomEdge)) {
        shape = Qt::SizeVerCursor;
    }
    setCursor(shape);
}

void TfrFusen::mouseReleaseEvent(QMouseEvent*) { leftDown_ = false; }

void TfrFusen::mouseDoubleClickEvent(QMouseEvent* event) {
    leftDown_ = false;
    if (event->button() == Qt::LeftButton) mnuEditClick();
}

void TfrFusen::contextMenuEvent(QContextMenuEvent* event) { pmnu->popup(event->globalPos()); }

void TfrFusen::close1Click() { close(); }

void TfrFusen::mnuKanrenOpenClick() {
    if (tag_ < 0 || OpenMemoTable[tag_].Link.empty()) return;
    platform::OpenDocument(platform::DiskPath(OpenMemoTable[tag_].Link));
}

void TfrFusen::mnuKanrenEdClick() {
    if (tag_ < 0) return;
    const QPointer<TfrFusen> self(this);
    TfrKanren dialog(this);
    dialog.tx->setText(platform::DiskPath(OpenMemoTable[tag_].Link));
    const int result = dialog.exec();
    // The note may have been closed meanwhile (the memo index deleted its memo).
    if (self && result == TfrKanren::kResultOk && tag_ >= 0) {
        OpenMemoTable[tag_].Link = platform::FromDiskPath(dialog.tx->text());
    }
}

void TfrFusen::mnuEditClick() {
    const std::string path = FileName();
    if (path.empty()) return;
    if (IsBitmap == 1) {
        platform::EditImage(platform::DiskPath(path), this, [this] { ReloadPicture(); });
        return;
    }
    std::string text = Text;
    const QPointer<TfrFusen> self(this);
    const bool saved = EditMemoFile(this, path, text);
    if (!self) return;
    if (saved) SetText(text);
    update();
}

void TfrFusen::mnuHagasuClick() {
    const std::string path = FileName();
    const QPointer<TfrFusen> self(this);
    const int answer = platform::MessageDlg(
        U("このﾒﾓ[") + platform::DiskPath(FileNameOf(path)) + U("]を削除します。 よろしいですか？"),
        platform::MsgKind::Confirmation, {platform::kBtnYes, platform::kBtnNo});
    if (!self || answer != platform::kBtnYes || FileName() != path) return;
    // To the trash, never for good; a memo that cannot go keeps its note.
    if (platform::FileExists(path) && !platform::MoveToTrash(path)) {
        platform::ShowMessage(U("ﾒﾓ[") + platform::DiskPath(FileNameOf(path)) +
                              U("]をごみ箱へ移動できませんでした。"));
        return;
    }
    const std::string companion = ExistingCompanionFile(path);
    if (!companion.empty()) platform::MoveToTrash(companion);
    IniSaved = 1;
    close();
}

void TfrFusen::mnuTextMemoMkClick() { SendToMain(WM_MAIN_NEWMEMO, 0, 1); }

void TfrFusen::mnuBmpMemoMkClick() { SendToMain(WM_MAIN_NEWMEMO, 0, 2); }

void TfrFusen::mnuCopyClick() {
    if (IsBitmap == 1) {
        platform::ShowMessage(U("BMP画像はｺﾋﾟｰできません。"));
        return;
    }
    platform::SetClipboardTextCp932(Text);
}

void TfrFusen::mnuColClick() {
    const QPointer<TfrFusen> self(this);
    // The background is offered as the first custom colour.
    const auto color =
        platform::Dialogs().Color(this, dialogColor_, {platform::ToQColor(BackColor)});
    if (!self || !color) return;
    dialogColor_ = *color;
    BackColor = platform::FromQColor(*color);
    update();
}

void TfrFusen::mnuTxtClick() {
    const QPointer<TfrFusen> self(this);
    const auto font = platform::Dialogs().Font(this, ToQFont(NoteFont));
    if (!self || !font) return;
    NoteFont = ToStoredFont(*font, NoteFont.Color);
    update();
}

void TfrFusen::mnuTemaeClick() {
    if (tag_ < 0) return;
    const bool on = !mnuTemae->isChecked();
    mnuTemae->setChecked(on);
    OpenMemoTable[tag_].TopMost = on ? 1 : 0;
    platform::SetTopMost(this, on);
    // The other notes that stay on top are put back above this one.
    if (!on) SendToMain(WM_MAIN_TOPMOST, 0, 2);
}

}  // namespace accessories
