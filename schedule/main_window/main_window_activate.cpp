// The main window's activation, the user's own icon and picture, and the always-on-top band.
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QPixmap>

#include "day_window.h"
#include "globals.h"
#include "main_window.h"
#include "paths.h"
#include "png_file.h"
#include "window_flags.h"

using namespace foundation;

namespace schedule {

namespace {

// The launcher button keeps its frame around the picture.
constexpr int kPictureMargin = 4;

}  // namespace

bool TfrTavik::event(QEvent* e) {
    const bool handled = QWidget::event(e);
    if (e->type() == QEvent::WindowActivate) FormActivate();
    return handled;
}

void TfrTavik::FormActivate() {
    if (isVisible() && Settings.rendo == 0 && frYo3) {
        frYo3->setVisible(height() == MainFullHeight);
    }
    LoadUserIcon();
    LoadLauncherPicture();
    // Above the main window, yet the main window keeps the focus.
    platform::RaiseWithoutActivating(frYo3);
}

void TfrTavik::LoadUserIcon() {
    const std::string ico = Settings.ico_path;
    if (ico == iconPath_ || !platform::FileExists(ico)) return;
    const QIcon icon(platform::DiskPath(ico));
    // A file that is no picture leaves the built-in icon.
    if (icon.availableSizes().isEmpty()) return;
    iconPath_ = ico;
    setWindowIcon(icon);
    qApp->setWindowIcon(icon);
    if (!firstResize_) ShowTrayIcon();
}

void TfrTavik::LoadLauncherPicture() {
    const std::string path = Settings.bmp_path;
    if (path == picturePath_ || !platform::FileExists(path)) return;
    const QPixmap picture = platform::ReadPicture(platform::DiskPath(path));
    if (picture.isNull()) return;
    picturePath_ = path;
    bt_prun->setIcon(QIcon(picture));
    bt_prun->setIconSize(
        picture.size().boundedTo(bt_prun->size() - QSize(kPictureMargin, kPictureMargin)));
    pic->setPixmap(picture);
}

void TfrTavik::SetTopmost(bool on) { platform::SetTopMost(this, on); }

void TfrTavik::LeaveTopmost() { SetTopmost(false); }

void TfrTavik::ReturnTopmost() { SetTopmost(true); }

}  // namespace schedule
