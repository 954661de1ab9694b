#include "ui/dialogs/TipsDialog.h"

#include "core/program/DisplayText.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

namespace vantor::ui {

namespace {

// Keys of the tips among the texts of our own ("Extra").
constexpr std::array<const char*, 6> TipKeys{"022", "023", "024", "025", "026", "027"};

} // namespace

TipsDialog::TipsDialog(const storage::TextTable& texts, bool showAtStart, QWidget* parent)
    : QDialog(parent)
    , m_texts(texts)
    , m_tip(new QLabel(this))
    , m_showAtStart(new QCheckBox(core::uiText(texts, "Extra", "020"), this))
{
    setObjectName(QStringLiteral("TipsDialog"));
    setWindowTitle(core::uiText(texts, "Extra", "019"));
    m_tip->setObjectName(QStringLiteral("TipText"));
    m_tip->setWordWrap(true);
    m_tip->setMinimumSize(360, 80);
    m_showAtStart->setObjectName(QStringLiteral("ShowTipsAtStart"));
    m_showAtStart->setChecked(showAtStart);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* next = buttons->addButton(core::uiText(texts, "Extra", "021"), QDialogButtonBox::ActionRole);
    next->setObjectName(QStringLiteral("NextTip"));
    connect(next, &QPushButton::clicked, this, &TipsDialog::showNextTip);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tip);
    layout->addWidget(m_showAtStart);
    layout->addWidget(buttons);
    m_tip->setText(core::uiText(texts, "Extra", TipKeys.front()));
}

void TipsDialog::showNextTip()
{
    m_tipIndex = (m_tipIndex + 1) % static_cast<int>(TipKeys.size());
    m_tip->setText(core::uiText(m_texts, "Extra", TipKeys.at(static_cast<std::size_t>(m_tipIndex))));
}

} // namespace vantor::ui
