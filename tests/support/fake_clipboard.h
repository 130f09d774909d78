// A clipboard held in memory; installed for the lifetime of the object.
#pragma once

#include <optional>

#include "clipboard.h"
#include "scoped_port.h"

class FakeClipboard : public platform::ClipboardPort {
  public:
    // Nothing: the clipboard holds no text at all.
    std::optional<QString> text;

    bool HasText() const override { return text.has_value(); }
    QString Text() const override { return text.value_or(QString()); }
    void SetText(const QString& t) override { text = t; }

  private:
    platform::ScopedPort<platform::ClipboardPort> inPlace_{platform::SetClipboardPort, this};
};
