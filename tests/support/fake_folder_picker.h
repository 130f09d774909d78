// Answers the program's folder picker from a queue and records what it was asked.
#pragma once

#include <QString>
#include <deque>
#include <string>
#include <vector>

#include "folders.h"
#include "scoped_port.h"

class FakeFolderPicker : public foundation::FolderPickerPort {
  public:
    std::string Pick(QWidget*, const QString& caption, const std::string& start) override {
        captions.push_back(caption);
        starts.push_back(start);
        if (answers.empty()) return {};
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::string> answers;  // each pick takes the next; none left: cancelled
    std::vector<QString> captions;
    std::vector<std::string> starts;  // the start folder of each pick

  private:
    platform::ScopedPort<foundation::FolderPickerPort> inPlace_{foundation::SetFolderPickerPort,
                                                                this};
};
