#include "ui/dialogs/CertificateDialog.h"

#include "core/program/DisplayText.h"
#include "core/program/FormatText.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantor::ui {

namespace {

using core::uiText;

QString dateText(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss 'UTC'"));
}

QString names(const QStringList& parts)
{
    return parts.join(QStringLiteral(", "));
}

QLabel* valueLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    // The fingerprint is compared with what the server's administrator says: it must be copyable.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

} // namespace

CertificateDialog::CertificateDialog(const storage::TextTable& texts, const mail::net::PeerCertificate& peer,
                                     bool isChanged, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CertificateDialog"));
    setWindowTitle(uiText(texts, "Extra", "113"));
    const QSslCertificate& certificate = peer.certificate;
    const QString server = peer.host + QLatin1Char(':') + QString::number(peer.port);
    const QString reasons = QString::fromStdString(mail::net::certificateReasons(peer.errors));

    auto* message = new QLabel(
        core::fillPlaceholders(uiText(texts, "Extra", isChanged ? "116" : "115"), {server, reasons}), this);
    message->setObjectName(QStringLiteral("CertificateMessage"));
    message->setWordWrap(true);

    auto* details = new QFormLayout;
    details->addRow(uiText(texts, "Extra", "117"),
                    valueLabel(names(certificate.subjectInfo(QSslCertificate::CommonName)), this));
    details->addRow(uiText(texts, "Extra", "118"), valueLabel(certificate.issuerDisplayName(), this));
    details->addRow(uiText(texts, "Extra", "119"), valueLabel(dateText(certificate.effectiveDate()), this));
    details->addRow(uiText(texts, "Extra", "120"), valueLabel(dateText(certificate.expiryDate()), this));
    QLabel* fingerprint = valueLabel(QString::fromStdString(mail::net::sha256Fingerprint(certificate)), this);
    fingerprint->setObjectName(QStringLiteral("Fingerprint"));
    details->addRow(uiText(texts, "Extra", "121"), fingerprint);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* trust = buttons->addButton(uiText(texts, "Extra", "114"), QDialogButtonBox::AcceptRole);
    trust->setObjectName(QStringLiteral("TrustBtn"));
    QPushButton* cancel = buttons->addButton(uiText(texts, "Extra", "052"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    // Trusting must be a deliberate click, never the Enter key.
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addLayout(details);
    layout->addWidget(buttons);
}

} // namespace vantor::ui
