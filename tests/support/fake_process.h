// A process port that records every start instead of starting anything.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "process.h"
#include "scoped_port.h"

class FakeProcesses : public platform::ProcessPort {
  public:
    struct Start {
        QString program;
        QStringList args;
        QString workDir;  // empty: the program's current folder
    };

    bool StartDetached(const QString& program, const QStringList& args) override {
        starts.push_back({program, args, QString()});
        return result;
    }
    bool StartDetachedIn(const QString& program, const QStringList& args,
                         const QString& workDir) override {
        starts.push_back({program, args, workDir});
        return result;
    }

    std::vector<Start> starts;
    bool result = true;  // what every start answers

  private:
    platform::ScopedPort<platform::ProcessPort> inPlace_{platform::SetProcessPort, this};
};
