#include "search_job.h"

#include <tuple>

using namespace foundation;

namespace schedule {

SearchJob::SearchJob(const SearchWords& words, SearchTargets targets)
    : words_(words), targets_(std::move(targets)) {
    year_ = targets_.period.year;
    month_ = targets_.period.month;
    if (!targets_.memos) stage_ = Stage::ToDo;
    if (stage_ == Stage::ToDo && !targets_.toDo) stage_ = Stage::Schedules;
    if (stage_ == Stage::Schedules && !targets_.schedules) stage_ = Stage::Done;
}

void SearchJob::Step(std::vector<SearchHit>& out) {
    switch (stage_) {
        case Stage::Memos:
            StepMemos(out);
            return;
        case Stage::ToDo:
            ToDoKensaku(targets_.toDoPath, words_, out);
            stage_ = targets_.schedules ? Stage::Schedules : Stage::Done;
            return;
        case Stage::Schedules:
            StepMonth(out);
            return;
        case Stage::Done:
            return;
    }
}

void SearchJob::StepMemos(std::vector<SearchHit>& out) {
    if (!foldersListed_) {
        folders_ = MemoFolders(targets_.memoFolder);
        foldersListed_ = true;
    }
    // Empty folders are passed in the same step.
    while (nextMemo_ == memos_.size()) {
        if (nextFolder_ == folders_.size()) {
            stage_ = targets_.toDo        ? Stage::ToDo
                     : targets_.schedules ? Stage::Schedules
                                          : Stage::Done;
            return;
        }
        memos_ = TextMemos(folders_[nextFolder_++]);
        nextMemo_ = 0;
    }
    SearchMemo(memos_[nextMemo_++], words_, out);
}

void SearchJob::StepMonth(std::vector<SearchHit>& out) {
    if (!targets_.periodValid) {
        badPeriod_ = true;
        stage_ = Stage::Done;
        return;
    }
    const SearchPeriod& p = targets_.period;
    if (std::tie(year_, month_) > std::tie(p.year2, p.month2)) {
        stage_ = Stage::Done;
        return;
    }
    SearchMonth(year_, month_, words_, out);
    lastYear_ = year_;
    lastMonth_ = month_;
    if (++month_ > 12) {
        month_ = 1;
        ++year_;
    }
    if (std::tie(year_, month_) > std::tie(p.year2, p.month2)) stage_ = Stage::Done;
}

void SearchJob::Finish() const {
    if (lastYear_ != 0) LoadSearchedMonth(lastYear_, lastMonth_);
}

}  // namespace schedule
