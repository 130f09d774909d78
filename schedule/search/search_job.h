// A search taken a small step at a time (one memo, the to-do list, one month), so that the
// window shows hits as they come and stays responsive. It finds what the three searches find,
// in their order, and leaves the globals alone until Finish.
#pragma once

#include <string>
#include <vector>

#include "search_core.h"
#include "search_targets.h"

namespace schedule {

struct SearchTargets {
    bool memos = false, toDo = false, schedules = false;
    std::string memoFolder, toDoPath;
    bool periodValid = false;  // the period boxes gave a period
    SearchPeriod period;
};

class SearchJob {
  public:
    SearchJob(const SearchWords& words, SearchTargets targets);

    bool Done() const { return stage_ == Stage::Done; }
    // Searches the next piece and appends its hits.
    void Step(std::vector<SearchHit>& out);
    // The schedules were to be searched but the period boxes gave none; the search ended there.
    bool BadPeriod() const { return badPeriod_; }
    // After the last step: the month globals as the schedule search leaves them.
    void Finish() const;

  private:
    enum class Stage { Memos, ToDo, Schedules, Done };
    void StepMemos(std::vector<SearchHit>& out);
    void StepMonth(std::vector<SearchHit>& out);

    SearchWords words_;
    SearchTargets targets_;
    Stage stage_ = Stage::Memos;
    bool badPeriod_ = false;
    // Memos: the folders, the next one to list, the memos of the listed one.
    std::vector<std::string> folders_;
    bool foldersListed_ = false;
    size_t nextFolder_ = 0;
    std::vector<TextMemo> memos_;
    size_t nextMemo_ = 0;
    // Schedules: the next month, and the last one searched (year 0: none).
    int year_ = 0, month_ = 0, lastYear_ = 0, lastMonth_ = 0;
};

}  // namespace schedule
