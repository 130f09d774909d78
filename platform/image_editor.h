// The desktop's image editor for bitmap memos, started without blocking the program. The
// caller hears when the editor has ended, unless the caller's object has gone by then.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace platform {

class ImageEditorPort {
  public:
    virtual ~ImageEditorPort() = default;
    // Starts the editor on the file and returns at once; ended runs once when it has ended.
    // False when it could not be started (ended never runs then).
    virtual bool Edit(const QString& path, std::function<void()> ended) = 0;
};

ImageEditorPort& ImageEditors();
// Returns the port it replaces; nullptr restores the desktop's editor.
ImageEditorPort* SetImageEditorPort(ImageEditorPort* port);

// The command for the file: KOLVANE_IMAGE_EDITOR (a command line), else the first known paint
// program on PATH, else xdg-open (which hands the file on and ends at once). Empty when none.
QStringList ImageEditorCommand(const QString& path);

// Starts the editor; ended runs only while context still exists (nullptr: always).
bool EditImage(const QString& path, QObject* context, std::function<void()> ended);

}  // namespace platform
