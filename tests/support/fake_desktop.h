// Records the documents the program opens and answers its standard dialogs.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "dialogs.h"
#include "open_document.h"
#include "scoped_port.h"

class FakeDocuments : public platform::DocumentPort {
  public:
    std::vector<QString> opened;
    bool succeeds = true;
    // The failure the opener tells of later, of each open that succeeded.
    std::vector<std::function<void()>> failures;
    bool Open(const QString& target, std::function<void()> failed) override {
        opened.push_back(target);
        if (succeeds) failures.push_back(std::move(failed));
        return succeeds;
    }

  private:
    platform::ScopedPort<platform::DocumentPort> inPlace_{platform::SetDocumentPort, this};
};

// Each dialog takes the next queued answer; an empty queue answers "cancelled".
class FakeDialogs : public platform::DialogPort {
  public:
    std::deque<std::optional<QString>> files, folders, texts;
    std::deque<std::optional<QColor>> colors;
    std::deque<std::optional<QFont>> fonts;
    // Each colour dialog's preset colour and custom colours.
    std::vector<QColor> colorAsked;
    std::vector<std::vector<QColor>> customColors;
    // What each dialog was asked: caption, then the start folder or file.
    std::vector<QString> asked;
    std::vector<bool> confirmOverwrite;

    std::optional<QString> OpenFileName(QWidget*, const QString& caption, const QString& start,
                                        const QString&) override {
        asked.push_back(caption + "|" + start);
        return Next(files);
    }
    std::optional<QString> SaveFileName(QWidget*, const QString& caption, const QString& start,
                                        const QString&, bool confirm) override {
        asked.push_back(caption + "|" + start);
        confirmOverwrite.push_back(confirm);
        return Next(files);
    }
    std::optional<QString> FolderName(QWidget*, const QString& caption,
                                      const QString& start) override {
        asked.push_back(caption + "|" + start);
        return Next(folders);
    }
    std::optional<QColor> Color(QWidget*, const QColor& initial,
                                const std::vector<QColor>& custom) override {
        colorAsked.push_back(initial);
        customColors.push_back(custom);
        return Next(colors);
    }
    std::optional<QFont> Font(QWidget*, const QFont&) override { return Next(fonts); }
    std::optional<QString> Text(QWidget*, const QString& caption, const QString& prompt,
                                const QString& initial) override {
        asked.push_back(caption + "|" + prompt + "|" + initial);
        return Next(texts);
    }

  private:
    template <typename T>
    static std::optional<T> Next(std::deque<std::optional<T>>& q) {
        if (q.empty()) return std::nullopt;
        std::optional<T> v = q.front();
        q.pop_front();
        return v;
    }
    platform::ScopedPort<platform::DialogPort> inPlace_{platform::SetDialogPort, this};
};
