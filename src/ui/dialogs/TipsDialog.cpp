#include "ui/dialogs/TipsDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace vantor::ui {

namespace {

const std::array<const char*, 6> Tips{
    "The preview mode shows every message with its verdict; only the messages you leave ticked are deleted.",
    "Give each account its own filter profile: a work mailbox and a private one rarely need the same rules.",
    "Turn on the backup of deleted messages to keep a copy of everything the filter removes.",
    "Right-click a message in the result lists to add its sender, domain or subject to your filters.",
    "With \"Auto-Check account when connect to internet\" the accounts are checked as soon as you go online.",
    "Closing the window keeps EMail Vantor running in the tray; use General, Exit to end it.",
};

} // namespace

TipsDialog::TipsDialog(bool showAtStart, QWidget* parent)
    : QDialog(parent)
    , m_tip(new QLabel(this))
    , m_showAtStart(new QCheckBox(QStringLiteral("Show tips at start-up"), this))
{
    setObjectName(QStringLiteral("TipsDialog"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    m_tip->setObjectName(QStringLiteral("TipText"));
    m_tip->setWordWrap(true);
    m_tip->setMinimumSize(360, 80);
    m_showAtStart->setObjectName(QStringLiteral("ShowTipsAtStart"));
    m_showAtStart->setChecked(showAtStart);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* next = buttons->addButton(QStringLiteral("Next Tip"), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("NextTip"));
    connect(next, &QPushButton::clicked, this, &TipsDialog::showNextTip);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tip);
    layout->addWidget(m_showAtStart);
    layout->addWidget(buttons);
    m_tip->setText(QString::fromUtf8(Tips.front()));
}

void TipsDialog::showNextTip()
{
    m_tipIndex = (m_tipIndex + 1) % static_cast<int>(Tips.size());
    m_tip->setText(QString::fromUtf8(Tips.at(static_cast<std::size_t>(m_tipIndex))));
}

} // namespace vantor::ui
