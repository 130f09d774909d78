#include "opener_scope.h"

#include "globals.h"
#include "messages.h"
#include "schedule_store.h"

using namespace foundation;

namespace schedule {

OpenerScope::OpenerScope(OpenerHost& host, const OpenerRules& rules) : host_(host), rules_(rules) {
    // The window's own moves of the date must not meet a day change of the alarm tick.
    if (rules_.navBusy) {
        busyBefore_ = NavBusy;
        NavBusy = 1;
        busySet_ = true;
    }
    if (rules_.save && !host_.SaveOnLeave()) return;
    if (rules_.keepDate) {
        year_ = CurYear;
        month_ = CurMonth;
        day_ = CurDay;
        dateKept_ = true;
    }
    if (rules_.topmost != TopmostRule::None && Settings.zen == 1) {
        host_.LeaveTopmost();
        if (rules_.topmost == TopmostRule::DropWithNotes) SendToMain(WM_MAIN_TOPMOST, 0, 2);
        topmostLeft_ = true;
    }
    ready_ = true;
}

OpenerScope::~OpenerScope() {
    ReturnTopmost();
    RestoreDate();
    if (busySet_) NavBusy = busyBefore_;
}

void OpenerScope::ReturnTopmost() {
    if (!topmostLeft_) return;
    topmostLeft_ = false;
    host_.ReturnTopmost();
    if (rules_.topmost == TopmostRule::DropWithNotes) SendToMain(WM_MAIN_TOPMOST, 0, 2);
}

void OpenerScope::RestoreDate() {
    if (!dateKept_) return;
    dateKept_ = false;
    CurYear = year_;
    CurMonth = month_;
    CurDay = day_;
    LoadMonthSchedule();
}

}  // namespace schedule
