// The desktop's standard dialogs (files, folders, colours, fonts, a line of text) behind one
// port, so that tests answer them. Each returns nothing when the user cancelled.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

class DialogPort {
  public:
    virtual ~DialogPort() = default;
    // filter as Qt writes it: "CSV (*.csv);;すべて (*)".
    virtual std::optional<QString> OpenFileName(QWidget* parent, const QString& caption,
                                                const QString& start, const QString& filter) = 0;
    // confirmOverwrite false: the caller asks about an existing file itself.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& caption,
                                                const QString& start, const QString& filter,
                                                bool confirmOverwrite) = 0;
    virtual std::optional<QString> FolderName(QWidget* parent, const QString& caption,
                                              const QString& start) = 0;
    // custom: the dialog's custom colours, in order, the others empty; none keeps the dialog's
    // own.
    virtual std::optional<QColor> Color(QWidget* parent, const QColor& initial,
                                        const std::vector<QColor>& custom = {}) = 0;
    virtual std::optional<QFont> Font(QWidget* parent, const QFont& initial) = 0;
    virtual std::optional<QString> Text(QWidget* parent, const QString& caption,
                                        const QString& prompt, const QString& initial) = 0;
};

DialogPort& Dialogs();
// Returns the port it replaces; nullptr restores the desktop's dialogs.
DialogPort* SetDialogPort(DialogPort* port);

}  // namespace platform
