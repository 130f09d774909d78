// The clipboard as the program's text: CP932 with CR LF in, Unicode with LF on the desktop.
// Tests install a fake.
#pragma once

#include <QString>
#include <string>

namespace platform {

class ClipboardPort {
  public:
    virtual ~ClipboardPort() = default;
    // True when the clipboard holds plain text (possibly empty).
    virtual bool HasText() const = 0;
    // The clipboard's text with LF line ends; empty when it holds no text.
    virtual QString Text() const = 0;
    virtual void SetText(const QString& text) = 0;
};

ClipboardPort& Clipboard();
// Returns the port it replaces; nullptr restores the desktop's clipboard.
ClipboardPort* SetClipboardPort(ClipboardPort* port);

// True when there is text that a paste would insert.
bool ClipboardHasText();
// The clipboard's text as CP932 with CR LF.
std::string ClipboardTextCp932();
// Puts CP932 text with CR LF on the clipboard.
void SetClipboardTextCp932(const std::string& text);

}  // namespace platform
