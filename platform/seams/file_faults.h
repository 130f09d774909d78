// Fault seam of the file layer: reads, atomic writes and new files of chosen paths fail as an
// I/O error, a full disk or missing rights would, also for root, who reads and writes whatever
// the modes.
// Only the tests see this folder.
#pragma once

#include <functional>
#include <string>

namespace platform {

// Reads of the paths the predicate accepts fail. nullptr ends it.
void SetReadFaultForTests(std::function<bool(const std::string& path)> fails);

// The steps of an atomic write.
enum class WriteStep { Create, Write, Sync, Rename };
// Atomic writes of the paths the predicate accepts fail at the step (new files at Create and
// Write). nullptr ends it.
void SetWriteFaultForTests(std::function<bool(WriteStep step, const std::string& path)> fails);

}  // namespace platform
