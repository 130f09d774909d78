#include "process.h"

#include <QProcess>
#include <utility>

namespace platform {
namespace {

class QtProcesses final : public ProcessPort {
  public:
    bool StartDetached(const QString& program, const QStringList& args) override {
        if (program.isEmpty()) return false;
        return QProcess::startDetached(program, args);
    }
    bool StartDetachedIn(const QString& program, const QStringList& args,
                         const QString& workDir) override {
        if (program.isEmpty()) return false;
        return QProcess::startDetached(program, args, workDir);
    }
};

ProcessPort* g_port = nullptr;

}  // namespace

ProcessPort& Processes() {
    static QtProcesses system;
    return g_port ? *g_port : system;
}

ProcessPort* SetProcessPort(ProcessPort* port) { return std::exchange(g_port, port); }

bool StartDetached(const QString& program, const QStringList& args) {
    if (program.isEmpty()) return false;
    return Processes().StartDetached(program, args);
}

bool StartDetached(const QString& program, const QStringList& args, const QString& workDir) {
    if (program.isEmpty()) return false;
    if (workDir.isEmpty()) return Processes().StartDetached(program, args);
    return Processes().StartDetachedIn(program, args, workDir);
}

bool StartCommandLine(const QString& commandLine) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty()) return false;
    QString program = words.takeFirst();
    return StartDetached(program, words);
}

}  // namespace platform
