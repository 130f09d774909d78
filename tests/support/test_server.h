// A server a test suite starts for itself (Xvfb, dbus-daemon) that prints on its first line
// where it can be reached. Stopped when the object goes.
#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <memory>

class TestServer {
  public:
    // The server's first line of output; empty when it is not installed or did not start.
    QString Start(const QString& program, const QStringList& args) {
        if (QStandardPaths::findExecutable(program).isEmpty()) return {};
        process_ = std::make_unique<QProcess>();
        process_->setProcessChannelMode(QProcess::SeparateChannels);
        process_->start(program, args);
        if (!process_->waitForStarted(5000)) return {};
        QByteArray line;
        for (int i = 0; i < 50 && !line.contains('\n'); ++i) {
            process_->waitForReadyRead(100);
            line += process_->readAllStandardOutput();
        }
        return QString::fromLatin1(line.trimmed());
    }
    ~TestServer() {
        if (!process_) return;
        process_->terminate();
        if (!process_->waitForFinished(3000)) process_->kill();
        process_->waitForFinished(1000);
    }

  private:
    std::unique_ptr<QProcess> process_;
};
