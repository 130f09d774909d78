// The last resort of a termination whose month could not be saved: the texts held in memory go
// to a file of their own, so that a logout never loses what was typed. Only the user may read
// it.
#pragma once

#include <string>
#include <vector>

#include "date_time.h"
#include "records.h"

namespace foundation {

// The rescue file's content (CP932, CR LF): one heading per day with text or a mark, then the
// day's text. Empty when no day holds anything.
std::string RescueText(int year, int month, const YOTEI days[32]);

// Writes RescueText into a new "rescue-yyyymmdd-hhmmss.txt" of the folder (a taken name gets
// "-2" and so on; never over anything, never through a link), readable by the user alone.
// Returns the path written, empty when nothing was to be written or the write failed.
std::string WriteRescueFile(const std::string& folder, int year, int month, const YOTEI days[32],
                            TDateTime now);

// Where a rescue file may go, best first: the data folder, the user's state folder and the
// session's runtime folder, each only when it is the user's own, and the shared temporary
// folder last.
std::vector<std::string> RescueFolders(const std::string& dataFolder);

}  // namespace foundation
