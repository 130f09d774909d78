// The settings record: one instance, read from the settings file at start.
#pragma once

#include <cstdint>
#include <string>

struct INIT {
    std::string dat_Path;    // schedule folder
    std::string memo_path;   // memo folder (user holidays, anniversaries)
    uint32_t YoubiTitleCol[7] = {0x0000FF, 0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0xFF0000};
    uint32_t HolidayMojiCol = 0x0000FF;
};

extern INIT Settings;
