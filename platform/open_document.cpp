#include "open_document.h"

#include <unistd.h>

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <utility>

namespace platform {
namespace {

// An opener fails at once (no program for the type, no browser). One that ran longer has shown
// something: a browser it keeps running in the foreground may end in any way hours later, which
// says nothing about the opening.
constexpr qint64 kFailureWindowMs = 10000;

// "scheme:" with a scheme of two or more letters; a one-letter scheme is no URL here.
bool LooksLikeUrl(const QString& target) {
    const int colon = target.indexOf(QLatin1Char(':'));
    if (colon < 2) return false;
    for (int i = 0; i < colon; ++i) {
        const QChar c = target.at(i);
        if (!(c.isLetterOrNumber() || c == QLatin1Char('+') || c == QLatin1Char('-') ||
              c == QLatin1Char('.')))
            return false;
    }
    return target.at(0).isLetter();
}

// Runs the opener and watches how it ends: QDesktopServices only says that it started.
bool RunOpener(const QString& opener, const QString& argument, std::function<void()> failed) {
    // Owned by no window and not by the application either: deleting a running QProcess kills
    // it, and the opener may still run the browser when Kolvane ends.
    auto* process = new QProcess;
    process->setProgram(opener);
    process->setArguments({argument});
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // A session of its own, as a detached start has: Ctrl+C in Kolvane's terminal is not for it.
    process->setChildProcessModifier([] { ::setsid(); });
    QElapsedTimer running;
    running.start();
    QObject::connect(
        process, &QProcess::finished, process,
        [process, running, failed = std::move(failed)](int code, QProcess::ExitStatus status) {
            process->deleteLater();
            const bool ok = status == QProcess::NormalExit && code == 0;
            if (!ok && !running.hasExpired(kFailureWindowMs) && failed) failed();
        });
    process->start();
    if (!process->waitForStarted(5000)) {
        process->disconnect();
        process->deleteLater();
        return false;
    }
    return true;
}

class DesktopDocuments final : public DocumentPort {
  public:
    bool Open(const QString& target, std::function<void()> failed) override {
        if (target.trimmed().isEmpty()) return false;
        const bool url = !target.startsWith(QLatin1Char('/')) && LooksLikeUrl(target);
        const QString argument = url ? target : QFileInfo(target).absoluteFilePath();
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (!opener.isEmpty()) return RunOpener(opener, argument, std::move(failed));
        // Without xdg-open Qt looks for a browser or the desktop's own opener by itself.
        return QDesktopServices::openUrl(url ? QUrl(target) : QUrl::fromLocalFile(argument));
    }
};

DocumentPort* g_port = nullptr;

}  // namespace

DocumentPort& Documents() {
    static DesktopDocuments desktop;
    return g_port ? *g_port : desktop;
}

DocumentPort* SetDocumentPort(DocumentPort* port) { return std::exchange(g_port, port); }

bool OpenDocument(const QString& target, std::function<void()> failed) {
    return Documents().Open(target, std::move(failed));
}

}  // namespace platform
