#include "combo_history.h"

#include <QComboBox>
#include <algorithm>

#include "cp932.h"
#include "encodable_text.h"
#include "file_io.h"
#include "text_file.h"

using namespace foundation;

namespace schedule {

namespace {

constexpr int kReadLimit = 31;
constexpr size_t kWriteLimit = 30;

}  // namespace

std::vector<std::string> ParseHistory(const std::string& bytes) {
    std::vector<std::string> entries;
    TextReader in(bytes);
    while (!in.Eof() && static_cast<int>(entries.size()) < kReadLimit) {
        std::string line = in.ReadLine();
        if (line.empty()) break;
        entries.push_back(std::move(line));
    }
    return entries;
}

std::string FormatHistory(const std::vector<std::string>& entries) {
    std::vector<std::string> kept;
    for (const std::string& e : entries) {
        if (kept.size() == kWriteLimit) break;
        // An empty line would end the list on reading and lose every entry after it.
        if (e.empty() || std::find(kept.begin(), kept.end(), e) != kept.end()) continue;
        kept.push_back(e);
    }
    TextWriter out;
    for (const std::string& e : kept) out.WriteLine(e);
    return out.Bytes();
}

namespace {

// Each entry keeps the bytes it was read or entered with beside its text: an entry nobody
// typed again is written back as it was read.
QByteArray Bytes(const std::string& cp932) {
    return QByteArray(cp932.data(), static_cast<qsizetype>(cp932.size()));
}

std::string EntryBytes(const QComboBox* box, int i) {
    const QByteArray kept = box->itemData(i).toByteArray();
    return StoredText(box->itemText(i), std::string(kept.constData(), kept.size()));
}

}  // namespace

uint8_t LoadComboHistory(const std::string& path, QComboBox* box) {
    std::string bytes;
    if (!platform::ReadWholeFile(path, bytes)) return 1;
    for (const std::string& e : ParseHistory(bytes)) box->addItem(platform::FromCp932(e), Bytes(e));
    return 0;
}

uint8_t SaveComboHistory(const std::string& path, const QComboBox* box) {
    std::vector<std::string> entries;
    for (int i = 0; i < box->count(); ++i) {
        // A pasted entry that CP932 cannot hold is left out rather than written altered; one
        // that was entered has been asked about already.
        if (!platform::UnencodableCharacters(box->itemText(i)).isEmpty()) continue;
        entries.push_back(EntryBytes(box, i));
    }
    return platform::WriteFileAtomic(path, FormatHistory(entries)) ? 0 : 1;
}

void PushComboHistory(QComboBox* box) {
    const QString text = box->currentText();
    if (text.isEmpty()) return;
    QVariant bytes;
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i) == text) {
            bytes = box->itemData(i);
            box->removeItem(i);
            break;
        }
    }
    box->insertItem(0, text, bytes);
    box->setCurrentIndex(0);
}

void InsertComboHistory(QComboBox* box, const QString& text) {
    if (text.isEmpty()) return;
    const QString shown = box->currentText();
    box->insertItem(0, text);
    box->setEditText(shown);
}

}  // namespace schedule
