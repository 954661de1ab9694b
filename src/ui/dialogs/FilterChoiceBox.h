#pragma once

#include <QComboBox>

#include <functional>

namespace vantor::ui {

// A choice of the filter editor that changes only through its drop-down list. Typing and the mouse wheel,
// which would step a plain combo box to another entry, are swallowed: stepping the profile choice would
// load another profile without saving the shown one first.
class FilterChoiceBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Asked each time before the list drops down; false keeps it closed.
    void setBeforePopup(std::function<bool()> beforePopup) { m_beforePopup = std::move(beforePopup); }

    void showPopup() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    std::function<bool()> m_beforePopup;
};

} // namespace vantor::ui
