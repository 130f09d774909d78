// Files, web addresses and mail links opened the desktop's way. Tests install a recording fake.
#pragma once

#include <QString>
#include <functional>

namespace platform {

class DocumentPort {
  public:
    virtual ~DocumentPort() = default;
    // target: a file path, or a URL ("http://…", "mailto:…"). False when nothing could start
    // to open it. The desktop's opener may only fail once it runs (no program for the type, no
    // browser): failed then runs later, and never when Open returned false.
    virtual bool Open(const QString& target, std::function<void()> failed) = 0;
};

DocumentPort& Documents();
// Returns the port it replaces; nullptr restores the desktop's handler.
DocumentPort* SetDocumentPort(DocumentPort* port);

bool OpenDocument(const QString& target, std::function<void()> failed = {});

}  // namespace platform
