#pragma once

#include "storage/TextTable.h"

#include <QCheckBox>
#include <QDialog>
#include <QLabel>

namespace vantor::ui {

// The tip of the day, with the choice whether to show tips at start.
class TipsDialog : public QDialog
{
    Q_OBJECT

public:
    TipsDialog(const storage::TextTable& texts, bool showAtStart, QWidget* parent = nullptr);

    // The state of "Show tips at start-up" when the dialog closed.
    bool showAtStart() const { return m_showAtStart->isChecked(); }
    int tipIndex() const { return m_tipIndex; }
    void showNextTip();

private:
    const storage::TextTable& m_texts;
    QLabel* m_tip;
    QCheckBox* m_showAtStart;
    int m_tipIndex = 0;
};

} // namespace vantor::ui
