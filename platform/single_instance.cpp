#include "single_instance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
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

// Per user and per data folder; only characters that are safe in a file name. The folder's
// real place decides, so a link to it or another spelling of it meets the same lock.
QString BaseName(const QString& key, const QString& dataFolder) {
    QString folder = QDir::cleanPath(QDir::current().absoluteFilePath(dataFolder));
    // A folder not yet made: the real place of what of it is there, and the rest.
    QString rest;
    while (!QFileInfo::exists(folder) && folder.size() > 1) {
        rest.prepend(QLatin1Char('/') + QFileInfo(folder).fileName());
        folder = QFileInfo(folder).path();
    }
    const QString real = QFileInfo(folder).canonicalFilePath();
    const QByteArray place = QFile::encodeName((real.isEmpty() ? folder : real) + rest);
    const QByteArray digest =
        QCryptographicHash::hash(place, QCryptographicHash::Sha256).toHex().left(16);
    QString raw = key + '-' + QString::number(getuid()) + '-' + QString::fromLatin1(digest);
    QString safe;
    for (QChar c : raw)
        safe +=
            (c.isLetterOrNumber() && c.unicode() < 0x80) || c == '-' || c == '.' ? c : QChar('_');
    return safe;
}

// A folder of the user's that nobody else may enter: no link, the user's, mode 0700 (a looser
// mode of the user's own folder is mended).
enum class Privacy { Private, Missing, Foreign };
Privacy CheckPrivate(const QString& folder, bool mend) {
    struct stat st;
    const QByteArray name = QFile::encodeName(folder);
    if (::lstat(name.constData(), &st) != 0) return Privacy::Missing;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) return Privacy::Foreign;
    if ((st.st_mode & 077) == 0) return Privacy::Private;
    if (mend && ::chmod(name.constData(), 0700) == 0) return Privacy::Private;
    return Privacy::Foreign;
}

QString Refused(const QString& what) {
    return what + QStringLiteral(
                      "\r\nほかのユーザーが手を加えられる場所なので、Kolvaneを起動しません。"
                      "\r\n管理者にこれを消してもらうか、XDG_RUNTIME_DIRにこのユーザーだけの"
                      "フォルダを設定してから起動してください。");
}

}  // namespace

QString LockFolder(const QStringList& runtimeFolders, const QString& sharedTemp, QString& refusal) {
    refusal.clear();
    for (const QString& folder : runtimeFolders) {
        if (folder.startsWith(QLatin1Char('/')) && CheckPrivate(folder, false) == Privacy::Private)
            return folder;
    }
    const QString own = sharedTemp + QStringLiteral("/kolvane-") + QString::number(::geteuid());
    if (::mkdir(QFile::encodeName(own).constData(), 0700) != 0 && errno != EEXIST)
        return QString();  // nowhere to lock: the program runs without the guard
    if (CheckPrivate(own, true) != Privacy::Private) {
        refusal = Refused(QStringLiteral("二重起動を防ぐためのフォルダ[%1]が、このユーザーだけの"
                                         "フォルダではありません。")
                              .arg(own));
        return QString();
    }
    return own;
}

namespace {

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

// The display line the primary keeps in its lock file.
void WriteDisplay(int fd, const QString& display) {
    const QByteArray line = display.toUtf8() + '\n';
    if (::ftruncate(fd, 0) != 0) return;
    [[maybe_unused]] const ssize_t n = ::pwrite(fd, line.constData(), line.size(), 0);
}

QString ReadDisplay(int fd) {
    char buffer[kMaxRequest];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, 0);
    if (n <= 0) return QString();
    const QByteArray text(buffer, n);
    const qsizetype end = text.indexOf('\n');
    // Only a whole line: the primary may be writing it this moment.
    return end > 0 ? QString::fromUtf8(text.left(end)) : QString();
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

QString SingleInstance::OwnDisplay() {
    const QString display = DisplayKey(qEnvironmentVariable("DISPLAY"));
    return display.isEmpty() ? qEnvironmentVariable("WAYLAND_DISPLAY") : display;
}

SingleInstance::SingleInstance(const QString& key, const QString& dataFolder) {
    // The session's runtime folder, else the one the login manager makes for the user, which
    // a start from a shell without the variable meets as well.
    const QString folder = LockFolder(
        {qEnvironmentVariable("XDG_RUNTIME_DIR"), QStringLiteral("/run/user/%1").arg(::geteuid())},
        QDir::tempPath(), refusal_);
    if (folder.isEmpty()) return;
    const QString base = BaseName(key, dataFolder);
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
    if (!refusal_.isEmpty()) return false;
    if (lockPath_.isEmpty()) {
        primary_ = true;  // no folder for a lock: run without the guard
        return true;
    }
    if (lockFd_ < 0) {
        // Close-on-exec: a program started from here must not inherit (and keep) the lock.
        const QByteArray path = QFile::encodeName(lockPath_);
        lockFd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (lockFd_ < 0 && errno == EACCES)
            lockFd_ = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        struct stat st;
        const bool opened = lockFd_ >= 0;
        if (!opened && errno != ELOOP) {
            primary_ = true;  // no guard possible: run without it
            return true;
        }
        // A link, or a file that is not the user's: someone else could hold or move it.
        if (!opened || ::fstat(lockFd_, &st) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid()) {
            if (opened) ::close(lockFd_);
            lockFd_ = -1;
            refusal_ = Refused(
                QStringLiteral("二重起動を防ぐためのファイル[%1]が、このユーザーのファイルでは"
                               "ありません。")
                    .arg(lockPath_));
            return false;
        }
    }
    int rc;
    do {
        rc = ::flock(lockFd_, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const bool held = errno == EWOULDBLOCK;
        if (held) primaryDisplay_ = ReadDisplay(lockFd_);
        ::close(lockFd_);
        lockFd_ = -1;
        if (held) return false;
        primary_ = true;  // the file system cannot lock: run without the guard
        return true;
    }
    primary_ = true;
    WriteDisplay(lockFd_, OwnDisplay());
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
    if (::lstat(addr.sun_path, &st) == 0 && S_ISSOCK(st.st_mode) && st.st_uid == ::geteuid())
        ::unlink(addr.sun_path);
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
            if (!SameUser(fd)) break;  // never tell anything to another user's program
            clientFd_ = fd;
            return true;
        }
        if (errno == EINPROGRESS) {
            pollfd p{fd, POLLOUT, 0};
            int error = 0;
            socklen_t size = sizeof error;
            if (::poll(&p, 1, timeoutMs) == 1 &&
                ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0 &&
                SameUser(fd)) {
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
