#include "ui/CertificatePrompts.h"

#include "ui/dialogs/CertificateDialog.h"

#include <QApplication>

namespace vantor::ui {

CertificatePrompts::CertificatePrompts(const storage::TextTable& texts, QWidget* parent)
    : m_texts(texts)
    , m_parent(parent)
{}

bool CertificatePrompts::askTrust(const mail::net::PeerCertificate& peer, bool isChanged)
{
    // Over a modal dialog that is open (the EMail Manager's, the Messager's) rather than behind it.
    QWidget* parent = QApplication::activeModalWidget() ? QApplication::activeModalWidget() : m_parent.data();
    CertificateDialog dialog(m_texts, peer, isChanged, parent);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace vantor::ui
