// Answers the program's modal dialogs by their class instead of running them. An answer gets the
// dialog as the program set it up; it returns the result code, or nothing when it ended the
// dialog itself (done(), a button), whose result then counts.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <functional>
#include <type_traits>
#include <vector>

#include "modal_run.h"
#include "scoped_port.h"

class FakeModalRuns : public platform::ModalRunPort {
  public:
    // A later answer for the same class replaces the earlier one.
    template <class Dialog, class F>
    void Answer(F answer) {
        answers_.insert(answers_.begin(), [answer](QDialog& d, int& result) mutable {
            auto* dialog = dynamic_cast<Dialog*>(&d);
            if (!dialog) return false;
            if constexpr (std::is_void_v<std::invoke_result_t<F&, Dialog&>>) {
                answer(*dialog);
                result = dialog->result();
            } else {
                result = answer(*dialog);
            }
            return true;
        });
    }

    int Run(QDialog& dialog) override {
        ++runs;
        dialog.setResult(QDialog::Rejected);
        int result = QDialog::Rejected;
        for (auto& answer : answers_)
            if (answer(dialog, result)) return result;
        ADD_FAILURE() << "no answer for " << dialog.metaObject()->className();
        return QDialog::Rejected;
    }

    int runs = 0;

  private:
    std::vector<std::function<bool(QDialog&, int&)>> answers_;
    platform::ScopedPort<platform::ModalRunPort> inPlace_{platform::SetModalRunPort, this};
};
