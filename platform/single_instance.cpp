#include "single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>
#include <cerrno>

namespace platform {
namespace {

constexpr char kActivate[] = "activate\n";

// Per user (uid) and per display; only characters that are safe in a file name.
QString BaseName(const QString& key) {
    QString display = DisplayKey(qEnvironmentVariable("DISPLAY"));
    if (display.isEmpty()) display = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (display.isEmpty()) display = QStringLiteral("none");
    QString raw = key + '-' + QString::number(getuid()) + '-' + display;
    QString safe;
    for (QChar c : raw)
        safe +=
            (c.isLetterOrNumber() && c.unicode() < 0x80) || c == '-' || c == '.' ? c : QChar('_');
    return safe;
}

// The runtime folder is private to the user; /tmp only when there is none.
QString LockFolder() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty() || !QDir(dir).exists()) dir = QDir::tempPath();
    return dir;
}

}  // namespace

QString DisplayKey(const QString& display) {
    const int colon = display.lastIndexOf(QLatin1Char(':'));
    if (colon < 0) return QString();
    QString host = display.left(colon).toLower();
    // "::1:0" and "[::1]:0" name the host ::1.
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    if (host.endsWith(QLatin1Char(':'))) host.chop(1);  // DECnet "host::0"
    const QString local = QSysInfo::machineHostName().toLower();
    if (host == QLatin1String("unix") || host == QLatin1String("localhost") ||
        host == QLatin1String("127.0.0.1") || host == QLatin1String("::1") ||
        (!local.isEmpty() && host == local))
        host.clear();
    // The screen after the dot is a part of the same server.
    const QString number = display.mid(colon + 1).section(QLatin1Char('.'), 0, 0);
    bool ok = false;
    const uint n = number.toUInt(&ok);
    if (!ok) return QString();
    return host + QLatin1Char(':') + QString::number(n);
}

SingleInstance::SingleInstance(const QString& key) {
    QString base = BaseName(key);
    QString folder = LockFolder();
    lockPath_ = folder + '/' + base + QStringLiteral(".lock");
    serverName_ = folder + '/' + base + QStringLiteral(".sock");
}

SingleInstance::~SingleInstance() {
    // The server goes first (it removes its socket), then the lock is let go. The lock file
    // itself stays: removing it would let two copies lock two different files.
    if (server_) {
        server_->close();
        delete server_;
        server_ = nullptr;
    }
    delete client_;
    client_ = nullptr;
    if (lockFd_ >= 0) ::close(lockFd_);
}

bool SingleInstance::TryBecomePrimary() {
    if (primary_) return true;
    if (lockFd_ < 0) {
        // Close-on-exec: a program started from here must not inherit (and keep) the lock.
        QByteArray path = QFile::encodeName(lockPath_);
        lockFd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lockFd_ < 0) lockFd_ = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (lockFd_ < 0) {
            primary_ = true;  // no guard possible: run without it
            return true;
        }
    }
    int rc;
    do {
        rc = ::flock(lockFd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        if (errno == EWOULDBLOCK) {
            ::close(lockFd_);
            lockFd_ = -1;
            return false;
        }
        ::close(lockFd_);
        lockFd_ = -1;
        primary_ = true;  // the file system cannot lock: run without the guard
        return true;
    }
    primary_ = true;
    Listen();
    return true;
}

void SingleInstance::SetActivationHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
    Listen();
}

bool SingleInstance::IsListening() const { return server_ && server_->isListening(); }

void SingleInstance::Listen() {
    // Only the holder of the lock may remove a socket left by a killed copy.
    if (!handler_ || lockFd_ < 0 || IsListening()) return;
    if (!server_) {
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnConnection);
    }
    QLocalServer::removeServer(serverName_);
    server_->listen(serverName_);
}

void SingleInstance::OnConnection() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // A request is one line; anything else is ignored.
            while (socket->canReadLine()) {
                QByteArray line = socket->readLine();
                if (line != kActivate || !handler_) continue;
                try {
                    handler_();
                } catch (...) {
                }
            }
            if (socket->bytesAvailable() > 256) socket->abort();
        });
    }
}

bool SingleInstance::FindPrimary(int timeoutMs) {
    if (client_ && client_->state() == QLocalSocket::ConnectedState) return true;
    delete client_;
    client_ = new QLocalSocket();
    client_->connectToServer(serverName_);
    if (client_->waitForConnected(timeoutMs)) return true;
    delete client_;
    client_ = nullptr;
    return false;
}

bool SingleInstance::NotifyPrimary(int timeoutMs) {
    if (!FindPrimary(timeoutMs)) return false;
    const qint64 size = static_cast<qint64>(sizeof(kActivate) - 1);
    bool sent = client_->write(kActivate, size) == size;
    while (sent && client_->bytesToWrite() > 0)
        if (!client_->waitForBytesWritten(timeoutMs)) sent = false;
    client_->disconnectFromServer();
    if (client_->state() != QLocalSocket::UnconnectedState) client_->waitForDisconnected(timeoutMs);
    delete client_;
    client_ = nullptr;
    return sent;
}

}  // namespace platform
