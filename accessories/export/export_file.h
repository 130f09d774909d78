// The steps every export to a file shares: the save dialog, the question before an existing
// file is replaced, and the atomic write with its message.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace accessories {

// The chosen file (CP932 path); nothing when cancelled. A name typed without an extension gets
// defaultExtension (when not empty).
std::optional<std::string> AskExportFile(QWidget* parent, const QString& title,
                                         const std::string& start, const QString& filter,
                                         const std::string& defaultExtension);

// True when the file does not exist or the user lets it be replaced; otherwise tells the user
// that the export stopped.
bool ConfirmReplace(const std::string& path);

// Writes the bytes atomically, first clearing what killed exports left in the folder; false
// after the message (the old file is kept whole).
bool WriteExportFile(const std::string& path, const std::string& bytes);

// The month exports of the month view, start to end.
enum class MonthExportKind { Csv, Html };
void RunMonthExport(QWidget* view, MonthExportKind kind);

}  // namespace accessories
