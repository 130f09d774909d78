#include "image_editor.h"

#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <utility>

namespace platform {
namespace {

class DesktopImageEditor final : public ImageEditorPort {
  public:
    bool Edit(const QString& path, std::function<void()> ended) override {
        QStringList command = ImageEditorCommand(path);
        if (command.isEmpty()) return false;
        // Owned by nothing: the editor may outlive the window that started it, and Kolvane
        // itself. A QProcess that is destroyed kills its program, so one destroyed with the
        // application at exit would lose the picture's unsaved edits; one still running then is
        // left behind on purpose.
        auto* process = new QProcess();
        process->setProgram(command.takeFirst());
        process->setArguments(command);
        process->setProcessChannelMode(QProcess::ForwardedChannels);
        process->setStandardInputFile(QProcess::nullDevice());
        QObject::connect(process, &QProcess::finished, process,
                         [process, ended = std::move(ended)](int, QProcess::ExitStatus) {
                             process->deleteLater();
                             if (ended) ended();
                         });
        process->start();
        if (!process->waitForStarted(5000)) {
            process->disconnect();
            process->deleteLater();
            return false;
        }
        return true;
    }
};

ImageEditorPort* g_port = nullptr;

}  // namespace

ImageEditorPort& ImageEditors() {
    static DesktopImageEditor system;
    return g_port ? *g_port : system;
}

ImageEditorPort* SetImageEditorPort(ImageEditorPort* port) { return std::exchange(g_port, port); }

QStringList ImageEditorCommand(const QString& path) {
    const QString chosen = qEnvironmentVariable("KOLVANE_IMAGE_EDITOR").trimmed();
    if (!chosen.isEmpty()) {
        QStringList command = QProcess::splitCommand(chosen);
        if (!command.isEmpty()) return command << path;
    }
    static const char* const known[] = {"pinta",   "kolourpaint", "mtpaint",
                                        "drawing", "gimp",        "krita"};
    for (const char* name : known) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty()) return {found, path};
    }
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!opener.isEmpty()) return {opener, path};
    return {};
}

bool EditImage(const QString& path, QObject* context, std::function<void()> ended) {
    QPointer<QObject> guard(context);
    const bool guarded = context != nullptr;
    return ImageEditors().Edit(path, [guard, guarded, ended = std::move(ended)] {
        if (guarded && guard.isNull()) return;
        if (ended) ended();
    });
}

}  // namespace platform
