// The to-do store "todo.dat": one block per item, shared by the to-do list and the search.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "date_time.h"

namespace foundation {

// One to-do item as the store holds it. Texts are CP932.
struct TTODO {
    TDateTime Due = 0;    // target date, whole day
    std::string Content;  // an item without content is not listed
    uint8_t Status = 0;   // 0-3
    std::string Project;
    uint8_t Importance = 2;  // 0-4
    std::string Link;
};

// Importance and status codes and their texts (CP932). Unknown codes give "普通" / "未着手",
// unknown texts 2 / 0.
std::string ImportanceText(int code);
int ImportanceCode(const std::string& text);
std::string StatusText(int code);
int StatusCode(const std::string& text);
// Row image of an importance and status pair: 0-19.
int ToDoIconIndex(const std::string& importanceText, const std::string& statusText);
constexpr int kStatusDone = 2;
// The target date as a row shows it and the file holds it: FormatDateTimeSafe "yyyy/mm/dd".
std::string ToDoDateText(TDateTime due);

enum class ToDoRead {
    Missing,     // no file: an empty list, the next save creates it
    Unreadable,  // the file is there but could not be read: it must never be replaced
    Complete,    // every byte was understood
    Damaged,     // a block was broken, or lines outside blocks were skipped
};

// Reads the blocks of a "todo.dat" image in file order; items without content are left out.
// A block that cannot be read (a line that does not convert, a block cut by the file's end) is
// left out and reading goes on at the next block; a block that only lost its end marker is
// kept. Returns Complete or Damaged.
ToDoRead ParseToDo(const std::string& bytes, std::vector<TTODO>& items);
ToDoRead ReadToDoFile(const std::string& path, std::vector<TTODO>& items);

// The file image of the items: blocks of " ", "yyyy/mm/dd", content, status, project,
// importance, link; an item without content is "#S#!" and "#E#!" alone. Line breaks inside a
// text become blanks and a text that is exactly "#E#!" gets a blank after it.
std::string FormatToDo(const std::vector<TTODO>& items);

// The store of one list window. An unreadable file is told once a run and never replaced. A
// damaged one is copied when it is read to "todo.dat.bak-yyyymmdd-hhnn" (numbered when that
// name is taken, never over an earlier backup), and no save writes over it before that copy
// exists.
class ToDoStore {
  public:
    explicit ToDoStore(std::string path) : path_(std::move(path)) {}
    const std::string& Path() const { return path_; }

    ToDoRead Load(std::vector<TTODO>& items);
    // Atomic. False when the file could not be written or must not be replaced.
    bool Save(const std::vector<TTODO>& items);
    ToDoRead LastRead() const { return read_; }
    // After a damaged read: the copy that keeps the file as it was (empty while none could be
    // made), and whether this run had not read this damage before (the user is to be told).
    const std::string& Backup() const { return backup_; }
    bool DamageIsNew() const { return news_; }

  private:
    std::string path_;
    ToDoRead read_ = ToDoRead::Missing;
    std::string backup_;
    bool news_ = false;
};

}  // namespace foundation
