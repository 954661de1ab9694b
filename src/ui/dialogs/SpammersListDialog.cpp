#include "ui/dialogs/SpammersListDialog.h"

#include "core/program/DisplayText.h"
#include "core/program/ProductInfo.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantor::ui {

using core::uiText;

SpammersListDialog::SpammersListDialog(const storage::TextTable& texts, platform::ShellOpen& shell,
                                       const QString& versionText, QWidget* parent)
    : QDialog(parent)
    , m_shell(shell)
    , m_versionText(versionText)
    , m_sendLabel(new QLabel(uiText(texts, "Extra", "051"), this))
{
    setObjectName(QStringLiteral("SpammersListDialog"));
    setWindowTitle(uiText(texts, "Extra", "049"));

    auto* text = new QLabel(uiText(texts, "Extra", "050"), this);
    text->setObjectName(QStringLiteral("SpammersText"));
    text->setWordWrap(true);

    m_sendLabel->setObjectName(QStringLiteral("SendLabel"));
    m_sendLabel->setCursor(Qt::PointingHandCursor);
    // Drawn as a link, though it is a plain label: the text comes from a language file and may hold "<".
    m_sendLabel->setTextFormat(Qt::PlainText);
    m_sendLabel->setForegroundRole(QPalette::Link);
    QFont underlined = m_sendLabel->font();
    underlined.setUnderline(true);
    m_sendLabel->setFont(underlined);
    m_sendLabel->installEventFilter(this);

    auto* closeBtn = new QPushButton(uiText(texts, "ReportButton", "002"), this);
    closeBtn->setObjectName(QStringLiteral("CloseBtn"));
    connect(closeBtn, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_sendLabel, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(420, 200);
}

void SpammersListDialog::sendLabelClick()
{
    m_shell.openUrl(core::ProductInfo::mailLink(core::ProductInfo::Mail::SpammersList, m_versionText));
    accept();
}

bool SpammersListDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_sendLabel && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        sendLabelClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace vantor::ui
