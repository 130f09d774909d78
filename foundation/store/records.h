// Records shared by every view of the schedule book.
#pragma once

#include <cstdint>
#include <string>

namespace foundation {

// One day of the loaded month.
struct YOTEI {
    uint8_t HasText = 0;      // 1: Text holds the day's lines
    std::string Text;         // lines joined by CR LF, none after the last
    uint8_t UserHoliday = 0;  // 1: listed in the user holiday file of its year
    std::string Anniversary;  // from the anniversary list; empty when none
    uint8_t Mark = 0;         // 0: not marked; anything else: marked
};

// One month of a year plan.
struct NEN_YOTEI {
    uint8_t HasText = 0;
    std::string Text;
};

// One launcher entry; an empty FileName is a free entry.
struct prg {
    std::string Name;
    std::string FileName;
};

}  // namespace foundation
