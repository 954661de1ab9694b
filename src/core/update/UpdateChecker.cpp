#include "core/update/UpdateChecker.h"

#include "core/update/UpdateSource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QNetworkReply>
#include <QNetworkRequest>

#include <limits>

namespace vantor::core {

namespace {

const QString LineBreak = QStringLiteral("\n");
// The version file holds a few short lines; a server answering with more is not the publisher's.
constexpr qint64 MaxVersionFileBytes = 64 * 1024;

int kilobytes(qint64 bytes)
{
    return static_cast<int>(qMin<qint64>(bytes / 1024, std::numeric_limits<int>::max()));
}

} // namespace

QString UpdateChecker::programVersion()
{
    return QStringLiteral(VANTOR_PROGRAM_VERSION);
}

UpdateChecker::UpdateChecker(Services services, QObject* parent)
    : QObject(parent)
    , m_services(std::move(services))
{}

UpdateChecker::~UpdateChecker()
{
    // Ending the program ends the request; nothing of it reaches a window that is going away, and an
    // unfinished download is discarded with the temporary file.
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

QString UpdateChecker::localVersionText() const
{
    return QStringLiteral("Local  EMail Vantor  version:  ") + m_services.localVersion;
}

bool UpdateChecker::open()
{
    // Shown again while a check or download runs: the window keeps following that request.
    if (isBusy())
        return true;
    const QString infoPath = UpdateSource::informationFile(m_services.programPath);
    QFile info(infoPath);
    const QString shownPath = QDir::toNativeSeparators(infoPath);
    if (!info.exists() || !info.open(QIODevice::ReadOnly)) {
        m_services.prompts.showError(
            QStringLiteral("Information file: ") + shownPath + QStringLiteral(" doesn't exist,") + LineBreak +
            QStringLiteral("Source URL not defined,") + LineBreak + QStringLiteral("Update aborted."));
        return false;
    }
    const QString name = UpdateSource::programName(m_services.programPath);
    const QUrl base = UpdateSource::sourceBase(info.readAll(), name);
    if (!base.isValid()) {
        m_services.prompts.showError(
            QStringLiteral("Information file: ") + shownPath +
            QStringLiteral(" has no http or https address for ") + name + QStringLiteral(",") + LineBreak +
            QStringLiteral("Source URL not defined,") + LineBreak + QStringLiteral("Update aborted."));
        return false;
    }
    if (base != m_sourceBase) {
        // Another server: what the last one published says nothing about this one.
        m_sourceBase = base;
        m_state = UpdateState();
    }
    m_state.homeSite = QStringLiteral("Home site:  ") + base.host();
    emit stateChanged();
    return true;
}

QNetworkReply* UpdateChecker::send(const QByteArray& verb, const QUrl& url)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setTransferTimeout(m_services.transferTimeoutMs);
    request.setSslConfiguration(m_services.sslConfiguration);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("EMail Vantor/") + m_services.localVersion);
    m_hopUrl = url;
    m_isAbortRequested = false;
    m_failure.clear();
    QNetworkReply* reply = m_network.sendCustomRequest(request, verb);
    connect(reply, &QNetworkReply::redirected, this, [this, reply](const QUrl& target) {
        if (UpdateSource::isRedirectAllowed(m_hopUrl, target)) {
            m_hopUrl = target;
            emit reply->redirectAllowed();
            return;
        }
        m_failure =
            QStringLiteral("Redirect from ") + m_hopUrl.toDisplayString() + QStringLiteral(" to ") +
            target.toDisplayString() +
            QStringLiteral(" refused: only an https address is followed to another host or from https.");
        reply->abort();
    });
    m_reply = reply;
    return reply;
}

void UpdateChecker::check()
{
    if (isBusy() || !m_sourceBase.isValid())
        return;
    m_sizeBytes = 0;
    m_modified.clear();
    m_state.canCheck = false;
    m_state.canDownload = false;
    m_state.canAbort = true;
    emit stateChanged();
    QNetworkReply* reply = send("HEAD", UpdateSource::withSuffix(m_sourceBase, QStringLiteral(".exe")));
    connect(reply, &QNetworkReply::finished, this, &UpdateChecker::onHeadFinished);
}

QString UpdateChecker::failureText() const
{
    if (!m_failure.isEmpty())
        return m_failure;
    switch (m_reply->error()) {
    case QNetworkReply::NoError:
        return {};
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::TimeoutError:
        // Only the transfer time-out cancels a request that the user did not abort.
        return QStringLiteral("The server did not answer within %1 seconds.")
            .arg(m_services.transferTimeoutMs / 1000.0);
    default:
        return m_reply->errorString();
    }
}

void UpdateChecker::onHeadFinished()
{
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_isAbortRequested)
        return endRequest();
    if (status == 404) {
        m_services.prompts.showError(QStringLiteral("HTTP error: 404") + LineBreak +
                                     QStringLiteral("Request aborted."));
        return endRequest();
    }
    // Without any HTTP answer (no server, refused certificate or redirect, silence) the version file
    // would fail the same way: one box is enough.
    if (status == 0 || !m_failure.isEmpty())
        return fail(QStringLiteral("Get version error:") + LineBreak + failureText());
    // A server that refuses HEAD itself (405, 501) may still publish the version file; only a proper
    // answer describes the program file.
    if (status / 100 == 2) {
        m_sizeBytes = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        m_modified = QString::fromLatin1(m_reply->rawHeader("Last-Modified"));
    }
    m_reply->deleteLater();
    QNetworkReply* reply = send("GET", UpdateSource::withSuffix(m_sourceBase, QStringLiteral(".ver")));
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (received > MaxVersionFileBytes && m_failure.isEmpty()) {
            m_failure =
                QStringLiteral("The version file is larger than %1 KB.").arg(MaxVersionFileBytes / 1024);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, &UpdateChecker::onVersionFinished);
}

void UpdateChecker::onVersionFinished()
{
    if (m_isAbortRequested)
        return endRequest();
    const QString failure = failureText();
    if (!failure.isEmpty())
        return fail(QStringLiteral("Get version error:") + LineBreak + failure);
    showVersion(m_reply->readAll());
    endRequest();
}

void UpdateChecker::showVersion(const QByteArray& versionText)
{
    const QString version = UpdateSource::value(versionText, QStringLiteral("version"));
    if (m_sizeBytes <= 0)
        m_sizeBytes = qMax<qint64>(0, UpdateSource::value(versionText, QStringLiteral("size")).toLongLong());
    m_state.remoteVersion =
        QStringLiteral("Program file version:  ") + (version.isEmpty() ? QStringLiteral("Unknown") : version);
    m_state.fileSize = QStringLiteral("EXE file size:  %1 Kb").arg(m_sizeBytes / 1024);
    if (!m_modified.isEmpty())
        m_state.lastModified = QStringLiteral("Last modified:  ") + m_modified.toLower();
    // Any other text, a lower version too, is what the publisher wants installed; no text offers nothing.
    m_state.canDownload = !version.isEmpty() && version != m_services.localVersion;
    m_state.progressMax = kilobytes(m_sizeBytes);
    m_state.progressValue = 0;
}

QString UpdateChecker::proposedDownloadPath() const
{
    const QString name =
        QFileInfo(UpdateSource::withSuffix(m_sourceBase, QStringLiteral(".exe")).path()).fileName();
    return QFileInfo(m_services.programPath).dir().filePath(name);
}

void UpdateChecker::download(const QString& target)
{
    if (isBusy() || !m_sourceBase.isValid())
        return;
    // The download goes to a temporary file beside the target and takes its name only when complete, so a
    // failed one leaves nothing behind and does not destroy a file that had the name before.
    m_target = std::make_unique<QSaveFile>(target);
    if (!m_target->open(QIODevice::WriteOnly)) {
        const QString reason = m_target->errorString();
        m_target.reset();
        m_services.prompts.showError(QStringLiteral("Download error:") + LineBreak +
                                     QStringLiteral("Cannot create ") + QDir::toNativeSeparators(target) +
                                     QStringLiteral(": ") + reason);
        return;
    }
    m_received = 0;
    m_state.canCheck = false;
    m_state.canDownload = false;
    m_state.canAbort = true;
    m_state.progressValue = 0;
    emit stateChanged();
    QNetworkReply* reply = send("GET", UpdateSource::withSuffix(m_sourceBase, QStringLiteral(".exe")));
    connect(reply, &QNetworkReply::readyRead, this, &UpdateChecker::onDownloadData);
    connect(reply, &QNetworkReply::finished, this, &UpdateChecker::onDownloadFinished);
}

void UpdateChecker::onDownloadData()
{
    if (!m_reply || !m_target || !m_reply->isOpen())
        return;
    // Redirect and error pages carry bodies too; only the program file's bytes belong in the file.
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status / 100 != 2)
        return;
    const QByteArray chunk = m_reply->readAll();
    if (m_target->write(chunk) != chunk.size()) {
        m_failure = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(m_target->fileName()) +
                    QStringLiteral(": ") + m_target->errorString();
        m_reply->abort();
        return;
    }
    m_received += chunk.size();
    if (m_state.progressMax == 0)
        m_state.progressMax = kilobytes(m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong());
    m_state.progressValue = qMin(kilobytes(m_received), m_state.progressMax);
    emit stateChanged();
}

void UpdateChecker::onDownloadFinished()
{
    onDownloadData();
    QString failure = m_isAbortRequested ? QString() : failureText();
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (failure.isEmpty() && !m_isAbortRequested && length.isValid() && m_received < length.toLongLong())
        failure = QStringLiteral("The connection ended after %1 of %2 bytes.")
                      .arg(m_received)
                      .arg(length.toLongLong());
    const QString path = m_target->fileName();
    if (failure.isEmpty() && !m_isAbortRequested && !m_target->commit())
        failure = QStringLiteral("Cannot write ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") +
                  m_target->errorString();
    const bool isDone = failure.isEmpty() && !m_isAbortRequested;
    if (!isDone)
        m_target->cancelWriting();
    m_target.reset();
    if (m_isAbortRequested) {
        m_state.progressValue = 0;
        m_state.canDownload = true;
        return endRequest();
    }
    if (!isDone) {
        m_state.progressValue = 0;
        return fail(QStringLiteral("Download error:") + LineBreak + failure);
    }
    m_state.canDownload = true;
    endRequest();
    if (!m_services.shell.openUrl(QUrl::fromLocalFile(path)))
        m_services.prompts.showError(QStringLiteral("Cannot open ") + QDir::toNativeSeparators(path) +
                                     LineBreak + QStringLiteral("Try to extract it manually."));
}

void UpdateChecker::abort()
{
    if (!m_reply)
        return;
    m_isAbortRequested = true;
    m_reply->abort();
}

void UpdateChecker::fail(const QString& text)
{
    m_state.canDownload = false;
    endRequest();
    m_services.prompts.showError(text);
}

void UpdateChecker::endRequest()
{
    m_state.canCheck = true;
    m_state.canAbort = false;
    if (m_reply)
        m_reply->deleteLater();
    m_reply = nullptr;
    emit stateChanged();
    emit finished();
}

} // namespace vantor::core
