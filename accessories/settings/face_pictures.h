// The built-in face pictures, used while the user has chosen no face files of their own.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace accessories {

// 32 x 32.
QIcon DefaultFaceIcon();
// The picture of the launcher button and of the dialogs' picture buttons.
QPixmap DefaultFaceBitmap();

}  // namespace accessories
