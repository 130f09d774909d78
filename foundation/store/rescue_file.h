// The last resort of a termination whose month could not be saved: the texts held in memory go
// to a file of their own in the data folder, so that a logout never loses what was typed.
#pragma once

#include <string>

#include "date_time.h"
#include "records.h"

// The rescue file's content (CP932, CR LF): one heading per day with text or a mark, then the
// day's text. Empty when no day holds anything.
std::string RescueText(int year, int month, const YOTEI days[32]);

// Writes RescueText into "rescue-yyyymmdd-hhmmss.txt" of the folder (never over an existing
// file). Returns the path written, empty when nothing was to be written or the write failed.
std::string WriteRescueFile(const std::string& folder, int year, int month, const YOTEI days[32],
                            TDateTime now);
