#include "ui/MessageBoxPrompts.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace vantor::ui {

MessageBoxPrompts::MessageBoxPrompts(QWidget* parent)
    : m_parent(parent)
{}

void MessageBoxPrompts::showError(const QString& text)
{
    QMessageBox::critical(m_parent, QStringLiteral("Error"), text);
}

bool MessageBoxPrompts::askYesNo(const QString& question)
{
    return QMessageBox::information(m_parent, QStringLiteral("Information"), question,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

QString MessageBoxPrompts::askPassword(const QString& title, const QString& label)
{
    bool isAccepted = false;
    const QString answer =
        QInputDialog::getText(m_parent, title, label, QLineEdit::Password, QString(), &isAccepted);
    return isAccepted ? answer : QString();
}

} // namespace vantor::ui
