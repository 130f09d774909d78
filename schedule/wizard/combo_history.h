// The history lists of the wizard's subject and place boxes ("yo.txt", "ken.txt"): one entry a
// line, newest first.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;

namespace schedule {

// At most 31 entries, up to the first empty line.
std::vector<std::string> ParseHistory(const std::string& bytes);
// The first 30 entries, each once and none empty, CR LF after each.
std::string FormatHistory(const std::vector<std::string>& entries);

// Adds the file's entries to the end of the box's list: 1 when the file cannot be read (the
// list is left alone), else 0.
uint8_t LoadComboHistory(const std::string& path, QComboBox* box);
// Writes the box's list atomically: 1 when the file cannot be written, else 0. An entry read
// from the file and not typed again keeps its bytes.
uint8_t SaveComboHistory(const std::string& path, const QComboBox* box);

// The box's text goes first in its list and its older copy goes; the box shows it. An empty
// text changes nothing.
void PushComboHistory(QComboBox* box);
// The text goes first in the list as it stands (a paste remembered); an empty text is not kept.
void InsertComboHistory(QComboBox* box, const QString& text);

}  // namespace schedule
