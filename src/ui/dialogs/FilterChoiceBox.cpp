#include "ui/dialogs/FilterChoiceBox.h"

#include <QKeyEvent>
#include <QWheelEvent>

namespace vantor::ui {

void FilterChoiceBox::showPopup()
{
    if (m_beforePopup && !m_beforePopup())
        return;
    QComboBox::showPopup();
}

void FilterChoiceBox::keyPressEvent(QKeyEvent* event)
{
    // The keys that drop the list down still do, through showPopup() and its question.
    const bool altArrow = event->modifiers().testFlag(Qt::AltModifier) &&
                          (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up);
    if (event->key() == Qt::Key_F4 || event->key() == Qt::Key_Space || altArrow)
        showPopup();
    event->accept();
}

void FilterChoiceBox::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

} // namespace vantor::ui
