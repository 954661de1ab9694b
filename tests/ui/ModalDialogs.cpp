#include "ModalDialogs.h"

#include <QApplication>
#include <QDialog>

namespace vantor::test {

ModalDialogs::ModalDialogs()
{
    m_timer.setInterval(20);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogs::poll);
    m_timer.start();
}

void ModalDialogs::setAnswer(const QString& objectName, Answer answer)
{
    m_answers.insert(objectName, std::move(answer));
}

void ModalDialogs::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == m_current)
        return;
    m_current = modal;
    m_seen.append(modal->objectName());
    const auto answer = m_answers.find(modal->objectName());
    if (answer == m_answers.end()) {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    if (*answer)
        (*answer)(*modal);
}

} // namespace vantor::test
