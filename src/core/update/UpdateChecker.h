#pragma once

#include "core/program/UserPrompts.h"
#include "platform/ShellOpen.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QSaveFile>
#include <QSslConfiguration>
#include <QString>
#include <QUrl>

#include <memory>

namespace vantor::core {

// What the update window shows; the window copies it after each stateChanged().
struct UpdateState
{
    QString homeSite = QStringLiteral("Home site");
    QString remoteVersion;
    QString fileSize;
    QString lastModified;
    bool canCheck = true;
    bool canDownload = false;
    bool canAbort = false;
    // The progress bar, in kilobytes.
    int progressMax = 0;
    int progressValue = 0;
};

// Compares the running program's version with the one the publisher's web server publishes and downloads
// the newer program file. The server is named by the information file beside the program; it holds the
// program file (base + ".exe") and a version file (base + ".ver" with "version=" and optionally "size=").
// Every request runs on the event loop; failures go to the prompts as error boxes.
class UpdateChecker : public QObject
{
    Q_OBJECT

public:
    struct Services
    {
        // The running program's file; the information file is looked for beside it.
        QString programPath;
        UserPrompts& prompts;
        platform::ShellOpen& shell;
        QString localVersion = UpdateChecker::programVersion();
        // The certificates https is verified against (tests trust their own CA through it).
        QSslConfiguration sslConfiguration = QSslConfiguration::defaultConfiguration();
        // A server that stays silent this long fails the request.
        int transferTimeoutMs = 30000;
    };

    // The version of this build, four numbers joined by ".".
    static QString programVersion();

    explicit UpdateChecker(Services services, QObject* parent = nullptr);
    ~UpdateChecker() override;

    const UpdateState& state() const { return m_state; }
    // "Local  EMail Vantor  version:  " + the local version.
    QString localVersionText() const;
    // Reads the information file before the window is shown; false (after an error box) when it names no
    // server, and the window closes.
    bool open();
    bool isBusy() const { return m_reply != nullptr; }

    // Asks the server for the program file's headers and the version file; no-op while a request runs.
    void check();
    // Where the save dialog offers to put the download: the program file's name on the server, in the
    // program's directory.
    QString proposedDownloadPath() const;
    // Downloads the program file into target and opens it when complete; nothing is left at target when
    // the download fails or is aborted, and a file already there stays as it was.
    void download(const QString& target);
    // Ends the running request; an aborted download is discarded without an error box.
    void abort();

signals:
    void stateChanged();
    // A check or a download has ended, whichever way.
    void finished();

private:
    QNetworkReply* send(const QByteArray& verb, const QUrl& url);
    void onHeadFinished();
    void onVersionFinished();
    void onDownloadFinished();
    void onDownloadData();
    void showVersion(const QByteArray& versionText);
    // Why the running request failed, in words for the user; empty when it did not fail.
    QString failureText() const;
    void endRequest();
    void fail(const QString& text);

    Services m_services;
    QNetworkAccessManager m_network;
    UpdateState m_state;
    QUrl m_sourceBase;
    QPointer<QNetworkReply> m_reply;
    // Where the running request stands after the redirects followed so far.
    QUrl m_hopUrl;
    bool m_isAbortRequested = false;
    QString m_failure;
    qint64 m_sizeBytes = 0;
    QString m_modified;
    std::unique_ptr<QSaveFile> m_target;
    qint64 m_received = 0;
};

} // namespace vantor::core
