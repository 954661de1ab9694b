#include "ui/dialogs/AboutDialog.h"

#include "core/program/ProductInfo.h"
#include "ui/widgets/Icons.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

AboutDialog::AboutDialog(const QString& caption, const QString& version, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(caption);
    auto* icon = new QLabel(this);
    icon->setPixmap(Icons::tray(0).pixmap(64, 64));
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("AboutText"));
    text->setTextFormat(Qt::RichText);
    text->setOpenExternalLinks(true);
    const QString homepage = core::ProductInfo::homepage().toString();
    text->setText(
        QStringLiteral("<h2>EMail Vantor</h2><p>Version %1</p>"
                       "<p>Deletes spam on your POP3 servers before your mail client downloads it.</p>"
                       "<p><a href=\"%2\">%2</a><br>%3</p>")
            .arg(version.toHtmlEscaped(), homepage.toHtmlEscaped(),
                 core::ProductInfo::supportAddress().toHtmlEscaped()));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(text);
    layout->addWidget(buttons);
}

} // namespace vantor::ui
