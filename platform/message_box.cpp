#include "message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "cp932.h"
#include "title_bar.h"

namespace platform {
namespace {

QString g_title = QStringLiteral("Kolvane");

class QtMessagePort final : public MessagePort {
  public:
    int Show(const MessageRequest& request) override {
        if (!QApplication::instance()) return 0;
        QMessageBox box;
        switch (request.kind) {
            case MsgKind::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case MsgKind::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case MsgKind::Confirmation:
                box.setIcon(QMessageBox::Question);
                break;
            case MsgKind::Error:
                box.setIcon(QMessageBox::Critical);
                break;
            case MsgKind::Plain:
                box.setIcon(QMessageBox::NoIcon);
                break;
        }
        box.setWindowTitle(request.caption);
        // The program keeps CR LF in its texts; the label wants LF.
        box.setText(CrLfToLf(request.text));
        std::vector<std::pair<QAbstractButton*, int>> map;
        for (size_t i = 0; i < request.buttons.size(); ++i) {
            int code = request.buttons[i];
            QMessageBox::ButtonRole role = QMessageBox::AcceptRole;
            if (code == kBtnCancel || code == kBtnNo || code == kBtnAbort)
                role = QMessageBox::RejectRole;
            QPushButton* b = box.addButton(ButtonCaption(code), role);
            map.emplace_back(b, code);
            bool isDefault = request.defaultButton ? code == request.defaultButton : i == 0;
            if (isDefault) box.setDefaultButton(b);
            if (code == kBtnCancel || (code == kBtnNo && request.buttons.size() == 2) ||
                (request.buttons.size() == 1)) {
                box.setEscapeButton(b);
            }
        }
        // Close alone, as the system's own message boxes have. The box fits itself to its
        // text and keeps that size: a window of one size, which no window manager offers to
        // maximise or resize.
        SetTitleBar(&box, TitleBar::CloseOnly, true);
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (auto& [b, code] : map)
            if (b == clicked) return code;
        return 0;
    }
};

QtMessagePort g_qtPort;
MessagePort* g_port = nullptr;

}  // namespace

MessagePort& Messages() { return g_port ? *g_port : g_qtPort; }
MessagePort* SetMessagePort(MessagePort* port) { return std::exchange(g_port, port); }

UnattendedMessages::UnattendedMessages() : inPlace_(SetMessagePort, this) {}

UnattendedMessages::~UnattendedMessages() = default;

int UnattendedMessages::Show(const MessageRequest& request) {
    texts_.push_back(request.text);
    std::fprintf(stderr, "Kolvane: %s\n", qPrintable(request.text.simplified()));
    const auto has = [&](int code) {
        return std::find(request.buttons.begin(), request.buttons.end(), code) !=
               request.buttons.end();
    };
    if (has(kBtnCancel)) return kBtnCancel;
    if (has(kBtnNo)) return kBtnNo;
    if (request.defaultButton != 0) return request.defaultButton;
    return request.buttons.empty() ? kBtnOk : request.buttons.front();
}

void SetApplicationTitle(const QString& title) { g_title = title; }
QString ApplicationTitle() { return g_title; }

QString ButtonCaption(int code) {
    switch (code) {
        case kBtnOk:
            return QStringLiteral("OK");
        case kBtnCancel:
            return QStringLiteral("キャンセル");
        case kBtnAbort:
            return QStringLiteral("中止(&A)");
        case kBtnRetry:
            return QStringLiteral("再試行(&R)");
        case kBtnIgnore:
            return QStringLiteral("無視(&I)");
        case kBtnYes:
            return QStringLiteral("はい(&Y)");
        case kBtnNo:
            return QStringLiteral("いいえ(&N)");
    }
    return QString();
}

QString KindCaption(MsgKind kind) {
    switch (kind) {
        case MsgKind::Warning:
            return QStringLiteral("警告");
        case MsgKind::Error:
            return QStringLiteral("エラー");
        case MsgKind::Information:
            return QStringLiteral("情報");
        case MsgKind::Confirmation:
            return QStringLiteral("確認");
        case MsgKind::Plain:
            break;
    }
    return ApplicationTitle();
}

void ShowMessage(const QString& text) {
    MessageRequest r;
    r.kind = MsgKind::Plain;
    r.caption = ApplicationTitle();
    r.text = text;
    r.buttons = {kBtnOk};
    Messages().Show(r);
}

int MessageDlg(const QString& text, MsgKind kind, const std::vector<int>& buttons,
               int defaultButton) {
    MessageRequest r;
    r.kind = kind;
    r.caption = KindCaption(kind);
    r.text = text;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    return Messages().Show(r);
}

}  // namespace platform
