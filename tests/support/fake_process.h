// A process port that records every start instead of starting anything.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "process.h"

class FakeProcesses : public platform::ProcessPort {
  public:
    struct Start {
        QString program;
        QStringList args;
    };

    FakeProcesses() { platform::SetProcessPort(this); }
    ~FakeProcesses() override { platform::SetProcessPort(nullptr); }

    bool StartDetached(const QString& program, const QStringList& args) override {
        starts.push_back({program, args});
        return result;
    }

    std::vector<Start> starts;
    bool result = true;  // what every start answers
};
