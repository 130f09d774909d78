#include "single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace platform {
namespace {

constexpr char kActivate[] = "activate\n";
// Longer than any request: whoever sends more is not a copy of the program.
constexpr qsizetype kMaxRequest = 256;

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

bool SocketAddress(const QString& path, sockaddr_un& addr) {
    const QByteArray name = QFile::encodeName(path);
    addr = {};
    addr.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= static_cast<qsizetype>(sizeof(addr.sun_path)))
        return false;
    std::memcpy(addr.sun_path, name.constData(), name.size());
    return true;
}

// Only the user's own copies may ask (the socket's mode says so too, unless a umask left it
// open for the moment between its making and its chmod).
bool SameUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

}  // namespace

struct SingleInstance::Request {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    QByteArray received;
};

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
    // The socket goes first, then the lock is let go: the next holder of the lock never meets
    // a socket of ours. The lock file itself stays: removing it would let two copies lock two
    // different files.
    while (!requests_.empty()) EndRequest(requests_.back().get());
    if (serverFd_ >= 0) {
        delete serverNotifier_;
        ::close(serverFd_);
        ::unlink(QFile::encodeName(serverName_).constData());
    }
    if (clientFd_ >= 0) ::close(clientFd_);
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

void SingleInstance::Listen() {
    // Only the holder of the lock may remove a socket left by a killed copy.
    if (!handler_ || lockFd_ < 0 || IsListening()) return;
    sockaddr_un addr;
    if (!SocketAddress(serverName_, addr)) return;
    struct stat st;
    if (::lstat(addr.sun_path, &st) == 0 && S_ISSOCK(st.st_mode)) ::unlink(addr.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(fd);
        return;
    }
    if (::chmod(addr.sun_path, 0600) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        ::unlink(addr.sun_path);
        return;
    }
    serverFd_ = fd;
    serverNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(serverNotifier_, &QSocketNotifier::activated, this, &SingleInstance::OnConnection);
}

void SingleInstance::OnConnection() {
    for (;;) {
        const int fd = ::accept4(serverFd_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (!SameUser(fd)) {
            ::close(fd);
            continue;
        }
        auto request = std::make_unique<Request>();
        request->fd = fd;
        request->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        Request* r = request.get();
        connect(r->notifier, &QSocketNotifier::activated, this, [this, r] { OnRequestData(r); });
        requests_.push_back(std::move(request));
    }
}

void SingleInstance::OnRequestData(Request* request) {
    bool ended = false;
    char chunk[kMaxRequest];
    for (;;) {
        const ssize_t n = ::read(request->fd, chunk, sizeof chunk);
        if (n > 0) {
            request->received.append(chunk, n);
            if (request->received.size() > 2 * kMaxRequest) break;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        ended = n == 0 || errno != EAGAIN;
        break;
    }
    // A request is one line; anything else is ignored. No new data is read while the handler
    // runs (it may run an event loop).
    request->notifier->setEnabled(false);
    for (qsizetype end; (end = request->received.indexOf('\n')) >= 0;) {
        const bool activate = request->received.left(end + 1) == kActivate;
        request->received.remove(0, end + 1);
        if (!activate || !handler_) continue;
        try {
            handler_();
        } catch (...) {
        }
    }
    if (ended || request->received.size() > kMaxRequest)
        EndRequest(request);
    else
        request->notifier->setEnabled(true);
}

void SingleInstance::EndRequest(Request* request) {
    // Called from the notifier's own signal: it goes once the signal has returned.
    request->notifier->setEnabled(false);
    request->notifier->deleteLater();
    ::close(request->fd);
    std::erase_if(requests_, [request](const auto& r) { return r.get() == request; });
}

bool SingleInstance::FindPrimary(int timeoutMs) {
    if (clientFd_ >= 0) return true;
    sockaddr_un addr;
    if (!SocketAddress(serverName_, addr)) return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    // A full backlog is waited out; no socket or nobody listening is an answer at once.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            clientFd_ = fd;
            return true;
        }
        if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            if (::poll(&p, 1, timeoutMs) == 1 &&
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) {
                clientFd_ = fd;
                return true;
            }
            break;
        }
        if ((errno != EAGAIN && errno != EINTR) || std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(fd);
    return false;
}

bool SingleInstance::NotifyPrimary(int timeoutMs) {
    if (!FindPrimary(timeoutMs)) return false;
    const char* next = kActivate;
    size_t left = sizeof(kActivate) - 1;
    bool sent = true;
    while (left > 0) {
        const ssize_t n = ::send(clientFd_, next, left, MSG_NOSIGNAL);
        if (n > 0) {
            next += n;
            left -= static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        pollfd p{clientFd_, POLLOUT, 0};
        if (n < 0 && errno == EAGAIN && ::poll(&p, 1, timeoutMs) == 1) continue;
        sent = false;
        break;
    }
    // What was sent stays readable for the primary after the close.
    ::close(clientFd_);
    clientFd_ = -1;
    return sent;
}

}  // namespace platform
