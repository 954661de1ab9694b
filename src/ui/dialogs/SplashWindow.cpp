#include "ui/dialogs/SplashWindow.h"

#include "ui/widgets/Icons.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantor::ui {

SplashWindow::SplashWindow(const QString& version, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashWindow"));
    setStyleSheet(
        QStringLiteral("QDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, "
                       "stop:1 #bef0ff); border: 1px solid #28406e; }"));
    auto* icon = new QLabel(this);
    icon->setPixmap(Icons::tray(0).pixmap(96, 96));
    auto* title =
        new QLabel(QStringLiteral("<h1>EMail Vantor</h1><p align=\"center\">%1</p>").arg(version), this);
    title->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 30, 40, 30);
    layout->addWidget(icon, 0, Qt::AlignHCenter);
    layout->addWidget(title);
    m_timer.setObjectName(QStringLiteral("SplashTimer"));
    m_timer.setSingleShot(true);
    m_timer.setInterval(Duration);
    connect(&m_timer, &QTimer::timeout, this, &QDialog::accept);
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_timer.start();
}

} // namespace vantor::ui
