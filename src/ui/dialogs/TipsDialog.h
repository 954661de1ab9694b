#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>

namespace vantor::ui {

// The tip of the day, with the choice whether to show tips at start.
class TipsDialog : public QDialog
{
    Q_OBJECT

public:
    TipsDialog(bool showAtStart, QWidget* parent = nullptr);

    // The state of "Show tips at start-up" when the dialog closed.
    bool showAtStart() const { return m_showAtStart->isChecked(); }
    int tipIndex() const { return m_tipIndex; }
    void showNextTip();

private:
    QLabel* m_tip;
    QCheckBox* m_showAtStart;
    int m_tipIndex = 0;
};

} // namespace vantor::ui
