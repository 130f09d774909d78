// One running copy per user and display. A lock file held with flock decides who is the
// primary copy (the kernel drops the lock with the process, so a crashed copy blocks nothing);
// a local socket of the primary, private to the user, lets a second copy ask it to come to the
// front.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace platform {

// One name for every spelling of an X display: ":0", ":0.0", "unix:0" and "localhost:0" are
// the same server. Empty for a text that names no display.
QString DisplayKey(const QString& display);

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    explicit SingleInstance(const QString& key);
    ~SingleInstance() override;

    // True when this copy runs: it holds the lock, or the lock could not be made at all (then
    // the program runs without the guard). False: another copy holds it.
    bool TryBecomePrimary();
    bool IsPrimary() const { return primary_; }

    // Second copy: whether the primary copy is ready to be asked (its server answers). False
    // while it is still starting or already ending; the connection is kept for NotifyPrimary.
    bool FindPrimary(int timeoutMs);
    // Second copy: asks the primary to come to the front; true when the request was delivered.
    // Nothing waits for the primary to act on it.
    bool NotifyPrimary(int timeoutMs);

    // Primary: called on the GUI thread for each request. The server listens from the moment
    // both the lock is held and a handler is set, so a second copy finds the first only once it
    // can come to the front.
    void SetActivationHandler(std::function<void()> handler);
    bool IsListening() const { return serverFd_ >= 0; }

    QString LockPath() const { return lockPath_; }
    QString ServerName() const { return serverName_; }

  private:
    struct Request;

    void Listen();
    void OnConnection();
    void OnRequestData(Request* request);
    void EndRequest(Request* request);

    QString lockPath_;
    QString serverName_;
    int lockFd_ = -1;
    bool primary_ = false;
    std::function<void()> handler_;
    int serverFd_ = -1;
    QSocketNotifier* serverNotifier_ = nullptr;
    std::vector<std::unique_ptr<Request>> requests_;
    int clientFd_ = -1;
};

}  // namespace platform
