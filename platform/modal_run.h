// The program's own modal dialogs run through one port: exec() in the program; tests answer
// each dialog as it was set up, without an event loop of its own.
#pragma once

class QDialog;

namespace platform {

class ModalRunPort {
  public:
    virtual ~ModalRunPort() = default;
    // Runs the dialog modally; returns the result it ended with, as QDialog::exec does.
    virtual int Run(QDialog& dialog) = 0;
};

// Returns the port it replaces; nullptr restores exec().
ModalRunPort* SetModalRunPort(ModalRunPort* port);
int RunModal(QDialog& dialog);

}  // namespace platform
