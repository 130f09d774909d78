// An image editor port that records the files it was asked to edit; a test ends an "editor"
// by running its callback.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "image_editor.h"
#include "scoped_port.h"

class FakeImageEditor : public platform::ImageEditorPort {
  public:
    bool Edit(const QString& path, std::function<void()> ended) override {
        edited.push_back(path);
        if (result) running.push_back(std::move(ended));
        return result;
    }
    // Ends the editor started n-th (from 0).
    void End(size_t n) {
        if (n < running.size() && running[n]) {
            auto f = std::move(running[n]);
            running[n] = nullptr;
            f();
        }
    }
    std::vector<QString> edited;
    std::vector<std::function<void()>> running;
    bool result = true;

  private:
    platform::ScopedPort<platform::ImageEditorPort> inPlace_{platform::SetImageEditorPort, this};
};
