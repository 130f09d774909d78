// Message boxes behind a port: the Qt dialog in the program, a scripted fake in tests.
#pragma once

#include <QString>
#include <vector>

#include "scoped_port.h"

namespace platform {

enum class MsgKind { Plain, Information, Warning, Confirmation, Error };

// Result codes, as the program's callers compare them.
enum MsgButton : int {
    kBtnOk = 1,
    kBtnCancel = 2,
    kBtnAbort = 3,
    kBtnRetry = 4,
    kBtnIgnore = 5,
    kBtnYes = 6,
    kBtnNo = 7,
};

struct MessageRequest {
    MsgKind kind = MsgKind::Plain;
    QString caption;
    QString text;
    std::vector<int> buttons;  // MsgButton codes, in order
    int defaultButton = 0;     // 0: the first
};

class MessagePort {
  public:
    virtual ~MessagePort() = default;
    // Modal; returns the code of the button pressed, 0 when the box was closed otherwise.
    virtual int Show(const MessageRequest& request) = 0;
};

MessagePort& Messages();
// Returns the port it replaces; nullptr restores the Qt dialog.
MessagePort* SetMessagePort(MessagePort* port);

// While it lives, boxes are not shown but written to the error output and answered as a
// user who is gone would (Cancel, else No, else the default button): a termination must not
// wait for anyone. Nests; the port in place before comes back at the end.
class UnattendedMessages : public MessagePort {
  public:
    UnattendedMessages();
    ~UnattendedMessages() override;
    UnattendedMessages(const UnattendedMessages&) = delete;
    UnattendedMessages& operator=(const UnattendedMessages&) = delete;
    int Show(const MessageRequest& request) override;
    // Texts of the boxes answered, in order.
    const std::vector<QString>& Texts() const { return texts_; }

  private:
    ScopedPort<MessagePort> inPlace_;
    std::vector<QString> texts_;
};

// Caption of the application title ("Kolvane"), used by plain boxes.
void SetApplicationTitle(const QString& title);
QString ApplicationTitle();

// Button captions of the program's boxes.
QString ButtonCaption(int code);
// Caption of a dialog kind: "警告", "エラー", "情報", "確認"; Plain gives the application title.
QString KindCaption(MsgKind kind);

// A box with one O.K button and the application title as caption.
void ShowMessage(const QString& text);
// A box of the kind's own caption with the given buttons.
int MessageDlg(const QString& text, MsgKind kind, const std::vector<int>& buttons,
               int defaultButton = 0);

}  // namespace platform
