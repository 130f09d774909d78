// What the main window does around a window it opens: store and save the month, keep and give
// back the date, hold the alarm tick's day change, and leave and return to the always-on-top
// band. One object per opening; the steps after the window run when it goes out of scope.
#pragma once

#include <cstdint>

namespace schedule {

// The main window's side of these steps.
class OpenerHost {
  public:
    virtual ~OpenerHost() = default;
    // StoreDayText and the month's files; false when the month was not saved.
    virtual bool SaveOnLeave() = 0;
    virtual void LeaveTopmost() = 0;
    virtual void ReturnTopmost() = 0;
};

enum class TopmostRule {
    None,
    // Leaves the band and comes back.
    Drop,
    // The same, and the program's own topmost windows are raised again before and after.
    DropWithNotes,
};

struct OpenerRules {
    bool save = false;
    bool keepDate = false;
    bool navBusy = false;
    TopmostRule topmost = TopmostRule::None;
};

class OpenerScope {
  public:
    // Runs the steps before the window; see Ready().
    OpenerScope(OpenerHost& host, const OpenerRules& rules);
    // Runs the steps after the window that have not run yet.
    ~OpenerScope();
    OpenerScope(const OpenerScope&) = delete;
    OpenerScope& operator=(const OpenerScope&) = delete;

    // False when the month could not be saved: nothing was changed and the window must not
    // open.
    bool Ready() const { return ready_; }
    // Back to the band (once).
    void ReturnTopmost();
    // Stays out of the band after the window.
    void StayDropped() { topmostLeft_ = false; }
    // CurYear/CurMonth/CurDay as they were, and their month loaded again (once).
    void RestoreDate();

  private:
    OpenerHost& host_;
    OpenerRules rules_;
    bool ready_ = false;
    bool topmostLeft_ = false;
    bool dateKept_ = false;
    bool busySet_ = false;
    uint8_t busyBefore_ = 0;
    uint16_t year_ = 0, month_ = 0, day_ = 0;
};

}  // namespace schedule
