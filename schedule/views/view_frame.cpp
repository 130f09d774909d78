#include "view_frame.h"

#include <QDialog>
#include <QFont>

#include "form_controls.h"
#include "title_bar.h"

using namespace foundation;

namespace schedule {

QVBoxLayout* SetUpViewFrame(QDialog* view, const char* name, const char* caption, int fontPx,
                            QMenuBar*& menuBar) {
    view->setObjectName(QString::fromLatin1(name));
    view->setWindowTitle(QString::fromUtf8(caption));
    QFont f(QString::fromUtf8("ＭＳ Ｐゴシック"));
    f.setPixelSize(fontPx);
    view->setFont(f);
    platform::SetTitleBar(view, platform::TitleBar::NoMinimize);
    return MakeMenuBarLayout(view, menuBar);
}

}  // namespace schedule
