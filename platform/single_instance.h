// One running copy per data folder, whatever the display: two copies on two displays would
// each save the month over the other's text. A lock file held with flock decides who is the
// primary copy (the kernel drops the lock with the process, so a crashed copy blocks nothing)
// and names the primary's display; a local socket of the primary, private to the user, lets a
// second copy on the same display ask it to come to the front. Both lie in a folder that only
// the user may enter.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace platform {

// One name for every spelling of an X display: ":0", ":0.0", "unix:0" and "localhost:0" are
// the same server. Empty for a text that names no display.
QString DisplayKey(const QString& display);

// The folder of the lock and the socket: the first of the runtime folders that only the user
// may enter (the user's, no link, mode 0700), else "kolvane-<uid>" in the shared temporary
// folder, made so. Empty when there is no such folder: with refusal empty when none could be
// made (the program then runs without the guard), else with the reason that the one in the
// shared folder belongs to someone else or is open to others.
QString LockFolder(const QStringList& runtimeFolders, const QString& sharedTemp, QString& refusal);

class SingleInstance : public QObject {
    Q_OBJECT
  public:
    // dataFolder: the disk path of the folder the copy works on; its links are resolved, so
    // every name of one folder is one lock.
    explicit SingleInstance(const QString& key, const QString& dataFolder = QString());
    ~SingleInstance() override;

    // True when this copy runs: it holds the lock, or the lock could not be made at all (then
    // the program runs without the guard). False: another copy holds it, or Refusal() says
    // why the guard cannot be trusted (a folder or lock file that another user could control).
    bool TryBecomePrimary();
    bool IsPrimary() const { return primary_; }
    // Why the start must not go on, for the user; empty when the lock was tried.
    QString Refusal() const { return refusal_; }
    // After a failed TryBecomePrimary: the display the primary named in the lock (empty while
    // it has not yet), and this copy's own.
    QString PrimaryDisplay() const { return primaryDisplay_; }
    static QString OwnDisplay();

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
    QString refusal_;
    QString primaryDisplay_;
    int lockFd_ = -1;
    bool primary_ = false;
    std::function<void()> handler_;
    int serverFd_ = -1;
    QSocketNotifier* serverNotifier_ = nullptr;
    std::vector<std::unique_ptr<Request>> requests_;
    int clientFd_ = -1;
};

}  // namespace platform
