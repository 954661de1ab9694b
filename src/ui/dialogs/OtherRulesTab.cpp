#include "ui/dialogs/OtherRulesTab.h"

#include "core/program/DisplayText.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <limits>

namespace vantor::ui {

using core::uiText;

OtherRulesTab::OtherRulesTab(const storage::TextTable& texts, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Tab5"));
    auto* left = new QVBoxLayout;
    left->addWidget(buildGeneralGroup(texts));
    left->addWidget(buildSizeGroup(texts));
    left->addWidget(buildPriorityGroup(texts));
    left->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildDomainGroup(texts), 1);
    // A new dialog shows what a profile without keys means.
    showProfile(filter::Profile{});
}

QCheckBox* OtherRulesTab::checkBox(const char* objectName, const QString& text)
{
    auto* box = new QCheckBox(text, this);
    box->setObjectName(QString::fromLatin1(objectName));
    return box;
}

QSpinBox* OtherRulesTab::sizeField(const char* objectName)
{
    auto* field = new QSpinBox(this);
    field->setObjectName(QString::fromLatin1(objectName));
    field->setRange(0, std::numeric_limits<int>::max());
    return field;
}

QWidget* OtherRulesTab::buildGeneralGroup(const storage::TextTable& texts)
{
    auto* group = new QGroupBox(uiText(texts, "FilterLabel", "001"), this);
    m_blockEmptySender = checkBox("GR1", uiText(texts, "FilterLabel", "005"));
    m_blockEmptySubject = checkBox("GR2", uiText(texts, "FilterLabel", "006"));
    m_blockEmptyReceiver = checkBox("GR3", uiText(texts, "FilterLabel", "007"));
    m_blockSenderIsReceiver = checkBox("GR4", uiText(texts, "FilterLabel", "008"));
    auto* layout = new QVBoxLayout(group);
    for (QCheckBox* each :
         {m_blockEmptySender, m_blockEmptySubject, m_blockEmptyReceiver, m_blockSenderIsReceiver})
        layout->addWidget(each);
    return group;
}

QWidget* OtherRulesTab::buildSizeGroup(const storage::TextTable& texts)
{
    auto* group = new QGroupBox(uiText(texts, "FilterLabel", "002"), this);
    m_blockSmaller = checkBox("Est", uiText(texts, "FilterLabel", "009"));
    m_smallerThan = sizeField("EstValue");
    m_blockBigger = checkBox("Ebt", uiText(texts, "FilterLabel", "010"));
    m_biggerThan = sizeField("EbtValue");
    auto* layout = new QFormLayout(group);
    layout->addRow(m_blockSmaller, m_smallerThan);
    layout->addRow(m_blockBigger, m_biggerThan);
    return group;
}

QWidget* OtherRulesTab::buildPriorityGroup(const storage::TextTable& texts)
{
    auto* group = new QGroupBox(uiText(texts, "FilterLabel", "003"), this);
    m_blockLowPriority = checkBox("Pry", uiText(texts, "FilterLabel", "011"));
    m_priority = new QComboBox(this);
    m_priority->setObjectName(QStringLiteral("PryValue"));
    // The index of the choice is the stored level: 0 "Highest" .. 4 "Lowest".
    for (const char* key : {"053", "054", "055", "056", "057"})
        m_priority->addItem(uiText(texts, "Extra", key));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(m_blockLowPriority);
    layout->addWidget(m_priority);
    return group;
}

QWidget* OtherRulesTab::buildDomainGroup(const storage::TextTable& texts)
{
    auto* group = new QGroupBox(uiText(texts, "FilterLabel", "004"), this);
    m_domainFilter = checkBox("MLD", uiText(texts, "FilterLabel", "012"));
    m_domains = new QListWidget(this);
    m_domains->setObjectName(QStringLiteral("DomainList"));
    m_domains->setToolTip(uiText(texts, "Extra", "058"));
    // Columns that fill the group, so that far more of the 250 endings show at once than in one column.
    m_domains->setFlow(QListView::TopToBottom);
    m_domains->setWrapping(true);
    m_domains->setResizeMode(QListView::Adjust);
    for (std::string_view ending : filter::MainLevelDomains) {
        auto* item = new QListWidgetItem(core::displayText(ending), m_domains);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_domainFilter);
    layout->addWidget(m_domains, 1);
    return group;
}

void OtherRulesTab::showProfile(const filter::Profile& profile)
{
    const filter::GeneralRules& general = profile.general;
    m_blockEmptySender->setChecked(general.blockEmptySender);
    m_blockEmptySubject->setChecked(general.blockEmptySubject);
    m_blockEmptyReceiver->setChecked(general.blockEmptyReceiver);
    m_blockSenderIsReceiver->setChecked(general.blockSenderIsReceiver);
    m_blockSmaller->setChecked(general.est);
    m_smallerThan->setValue(general.estValue);
    m_blockBigger->setChecked(general.ebt);
    m_biggerThan->setValue(general.ebtValue);
    m_blockLowPriority->setChecked(general.pry);
    m_storedPriority = general.pryValue;
    m_priority->setCurrentIndex(
        general.pryValue >= 0 && general.pryValue < m_priority->count() ? general.pryValue : -1);
    m_domainFilter->setChecked(general.mld);
    for (std::size_t i = 0; i < filter::MainLevelDomainCount; ++i)
        m_domains->item(static_cast<int>(i))
            ->setCheckState(profile.domainTicks[i] ? Qt::Checked : Qt::Unchecked);
}

void OtherRulesTab::applyTo(filter::Profile& profile) const
{
    filter::GeneralRules& general = profile.general;
    general.blockEmptySender = m_blockEmptySender->isChecked();
    general.blockEmptySubject = m_blockEmptySubject->isChecked();
    general.blockEmptyReceiver = m_blockEmptyReceiver->isChecked();
    general.blockSenderIsReceiver = m_blockSenderIsReceiver->isChecked();
    general.est = m_blockSmaller->isChecked();
    general.estValue = m_smallerThan->value();
    general.ebt = m_blockBigger->isChecked();
    general.ebtValue = m_biggerThan->value();
    general.pry = m_blockLowPriority->isChecked();
    general.pryValue = m_priority->currentIndex() >= 0 ? m_priority->currentIndex() : m_storedPriority;
    general.mld = m_domainFilter->isChecked();
    for (std::size_t i = 0; i < filter::MainLevelDomainCount; ++i)
        profile.domainTicks[i] = m_domains->item(static_cast<int>(i))->checkState() == Qt::Checked;
}

} // namespace vantor::ui
