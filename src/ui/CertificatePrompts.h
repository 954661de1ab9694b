#pragma once

#include "core/trust/CertificatePrompt.h"
#include "storage/TextTable.h"

#include <QPointer>
#include <QWidget>

namespace vantor::ui {

// Asks about an untrusted certificate with the certificate dialog, modal over the active window.
class CertificatePrompts : public core::CertificatePrompt
{
public:
    explicit CertificatePrompts(const storage::TextTable& texts, QWidget* parent = nullptr);

    void setParentWidget(QWidget* parent) { m_parent = parent; }
    bool askTrust(const mail::net::PeerCertificate& peer, bool isChanged) override;

private:
    const storage::TextTable& m_texts;
    QPointer<QWidget> m_parent;
};

} // namespace vantor::ui
