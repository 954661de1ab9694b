#pragma once

#include "mail/net/CertificateJudge.h"
#include "storage/TextTable.h"

#include <QDialog>

namespace vantor::ui {

// "Certificate not trusted": what a person needs to decide on a server certificate that failed verification
// (the server, why it failed, to whom and by whom it was issued, its validity and its SHA-256 fingerprint),
// with "Trust this certificate" (accept) and "Cancel" (reject).
class CertificateDialog : public QDialog
{
    Q_OBJECT

public:
    // isChanged: another certificate of this server was trusted before.
    CertificateDialog(const storage::TextTable& texts, const mail::net::PeerCertificate& peer, bool isChanged,
                      QWidget* parent = nullptr);
};

} // namespace vantor::ui
