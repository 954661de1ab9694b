#pragma once

#include "filter/Profile.h"
#include "storage/TextTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QWidget>

namespace vantor::ui {

// The "Other" tab of the filter editor: the general rules, the size and priority rules, and the
// main-level-domain filter with a tick for each of the 250 domain endings.
class OtherRulesTab : public QWidget
{
    Q_OBJECT

public:
    explicit OtherRulesTab(const storage::TextTable& texts, QWidget* parent = nullptr);

    // Shows the profile's general rules and domain ticks.
    void showProfile(const filter::Profile& profile);
    // Copies the shown values into profile (its black list choice and its rule lists stay untouched).
    void applyTo(filter::Profile& profile) const;

private:
    QCheckBox* checkBox(const char* objectName, const QString& text);
    QSpinBox* sizeField(const char* objectName);
    QWidget* buildGeneralGroup(const storage::TextTable& texts);
    QWidget* buildSizeGroup(const storage::TextTable& texts);
    QWidget* buildPriorityGroup(const storage::TextTable& texts);
    QWidget* buildDomainGroup(const storage::TextTable& texts);

    QCheckBox* m_blockEmptySender;
    QCheckBox* m_blockEmptySubject;
    QCheckBox* m_blockEmptyReceiver;
    QCheckBox* m_blockSenderIsReceiver;
    QCheckBox* m_blockSmaller;
    QSpinBox* m_smallerThan;
    QCheckBox* m_blockBigger;
    QSpinBox* m_biggerThan;
    QCheckBox* m_blockLowPriority;
    QComboBox* m_priority;
    QCheckBox* m_domainFilter;
    QListWidget* m_domains;
    // The stored priority level, kept when it is outside the choice and the user picks none.
    int m_storedPriority = 2;
};

} // namespace vantor::ui
