// Files, web addresses and mail links opened the desktop's way. Tests install a recording fake.
#pragma once

#include <QString>

namespace platform {

class DocumentPort {
  public:
    virtual ~DocumentPort() = default;
    // target: a file path, or a URL ("http://…", "mailto:…"). False when nothing opened it.
    virtual bool Open(const QString& target) = 0;
};

DocumentPort& Documents();
// nullptr restores the desktop's handler.
void SetDocumentPort(DocumentPort* port);

bool OpenDocument(const QString& target);

}  // namespace platform
