// A message port that records every box and answers from a script.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "message_box.h"
#include "scoped_port.h"

class FakeMessages : public platform::MessagePort {
  public:
    int Show(const platform::MessageRequest& request) override {
        shown.push_back(request);
        if (onShow) onShow();
        if (answers.empty()) return request.buttons.empty() ? 0 : request.buttons.front();
        int a = answers.front();
        answers.pop_front();
        return a;
    }

    // Texts of the boxes shown, in order.
    std::vector<QString> Texts() const {
        std::vector<QString> t;
        for (auto& r : shown) t.push_back(r.text);
        return t;
    }

    std::vector<platform::MessageRequest> shown;
    std::deque<int> answers;       // button codes to answer with; empty: the first button
    std::function<void()> onShow;  // runs while the box is "open"

  private:
    platform::ScopedPort<platform::MessagePort> inPlace_{platform::SetMessagePort, this};
};
