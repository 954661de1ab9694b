#include "ui/widgets/StatusPanels.h"

#include "ui/widgets/Icons.h"

namespace vantor::ui {

namespace {

QLabel* panelLabel(const char* objectName, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setContentsMargins(4, 0, 4, 0);
    return label;
}

} // namespace

StatusPanels::StatusPanels(QWidget* parent)
    : QStatusBar(parent)
    , m_connectionGlyph(panelLabel("ConnectionGlyph", this))
    , m_connectionText(panelLabel("ConnectionText", this))
    , m_accountsLabel(panelLabel("AccountsLabel", this))
    , m_accountGauge(new GaugePanel(this))
    , m_emailsLabel(panelLabel("EMailsLabel", this))
    , m_messageGauge(new GaugePanel(this))
    , m_statusText(panelLabel("StatusText", this))
{
    setObjectName(QStringLiteral("StatusBar"));
    setSizeGripEnabled(true);
    m_accountGauge->setObjectName(QStringLiteral("AccountGauge"));
    m_messageGauge->setObjectName(QStringLiteral("MessageGauge"));
    m_connectionText->setMinimumWidth(60);

    addWidget(m_connectionGlyph);
    addWidget(m_connectionText);
    addWidget(m_accountsLabel);
    addWidget(m_accountGauge);
    addWidget(m_emailsLabel);
    addWidget(m_messageGauge);
    addWidget(m_statusText, 1);

    m_timerStatus.setObjectName(QStringLiteral("TimerStatus"));
    m_timerStatus.setInterval(RepaintInterval);
    connect(&m_timerStatus, &QTimer::timeout, this, qOverload<>(&QWidget::repaint));
    m_timerStatus.start();
    setConnection(false, QString());
}

void StatusPanels::setConnection(bool isOnline, const QString& text)
{
    m_isOnline = isOnline;
    m_connectionGlyph->setPixmap(Icons::connection(isOnline).pixmap(16, 16));
    m_connectionText->setText(text);
    repaint();
}

void StatusPanels::setStatusText(const QString& text)
{
    m_statusText->setText(text);
}

void StatusPanels::setLabels(const QString& accounts, const QString& emails)
{
    m_accountsLabel->setText(accounts);
    m_emailsLabel->setText(emails);
}

} // namespace vantor::ui
