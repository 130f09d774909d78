// Tests of the program on fresh globals: the state of a program just started, for the lifetime
// of a test and again after it, so that no test leaves its state to the next.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "globals.h"
#include "open_windows.h"

class FreshGlobals {
  public:
    FreshGlobals() { Reset(); }
    ~FreshGlobals() { Reset(); }
    FreshGlobals(const FreshGlobals&) = delete;
    FreshGlobals& operator=(const FreshGlobals&) = delete;

    // The schedules, memos and diaries and the program's own data in one folder (CP932).
    static void DataIn(const std::string& folder) {
        foundation::BaseDir = folder;
        foundation::Settings.dat_Path = folder;
        foundation::Settings.memo_path = folder;
        foundation::Settings.ni_dir = folder;
    }

  private:
    static void Reset() {
        foundation::ResetOpenWindows();
        foundation::ResetGlobals();
    }
};

// A fixture on fresh globals. Its own members (windows, folders, fakes) go before the globals
// are reset at its end.
class ProgramTest : public ::testing::Test {
  protected:
    static void DataIn(const std::string& folder) { FreshGlobals::DataIn(folder); }

  private:
    FreshGlobals fresh_;
};
