// Starting other programs: always detached and always with an argument list, never through a
// shell. Tests install a recording fake.
#pragma once

#include <QString>
#include <QStringList>

namespace platform {

class ProcessPort {
  public:
    virtual ~ProcessPort() = default;
    // Starts the program and returns at once; false when it could not be started.
    virtual bool StartDetached(const QString& program, const QStringList& args) = 0;
    // The same with the program's working folder; the program's own folder never changes.
    virtual bool StartDetachedIn(const QString& program, const QStringList& args,
                                 const QString& /*workDir*/) {
        return StartDetached(program, args);
    }
};

ProcessPort& Processes();
// Returns the port it replaces; nullptr restores the system's process start.
ProcessPort* SetProcessPort(ProcessPort* port);

bool StartDetached(const QString& program, const QStringList& args);
// An empty workDir starts it in the program's current folder.
bool StartDetached(const QString& program, const QStringList& args, const QString& workDir);
// A command line as a user types it ("prog arg \"two words\""), split as a shell would split
// words but with no shell behind it. An empty or blank line starts nothing and gives false.
bool StartCommandLine(const QString& commandLine);

}  // namespace platform
