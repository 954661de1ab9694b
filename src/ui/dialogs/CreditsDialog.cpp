#include "ui/dialogs/CreditsDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

CreditsDialog::CreditsDialog(const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CreditsDialog"));
    setWindowTitle(caption);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("CreditsText"));
    text->setTextFormat(Qt::RichText);
    text->setText(QStringLiteral("<h3>EMail Vantor</h3>"
                                 "<p>Design and programming: the EMail Vantor team.</p>"
                                 "<p>Translations: the authors named in each language file.</p>"
                                 "<p>Built with Qt %1 (The Qt Company, LGPL) and libzip.</p>"
                                 "<p>Thanks to everyone who sent bug reports and spammer lists.</p>")
                      .arg(QString::fromLatin1(qVersion())));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace vantor::ui
