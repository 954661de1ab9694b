#include "ui/MessageBoxPrompts.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace vantor::ui {

MessageBoxPrompts::MessageBoxPrompts(QWidget* parent)
    : m_parent(parent)
{}

QWidget* MessageBoxPrompts::boxParent() const
{
    QWidget* dialog = QApplication::activeModalWidget();
    return dialog ? dialog : m_parent.data();
}

void MessageBoxPrompts::showError(const QString& text)
{
    QMessageBox::critical(boxParent(), QStringLiteral("Error"), text);
}

bool MessageBoxPrompts::askYesNo(const QString& question)
{
    return QMessageBox::information(boxParent(), QStringLiteral("Information"), question,
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxPrompts::askOkCancel(const QString& warning)
{
    return QMessageBox::warning(boxParent(), QStringLiteral("Warning"), warning,
                                QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
}

QString MessageBoxPrompts::askPassword(const QString& title, const QString& label)
{
    return askLine(title, label, QLineEdit::Password);
}

QString MessageBoxPrompts::askText(const QString& title, const QString& label)
{
    return askLine(title, label, QLineEdit::Normal);
}

core::UserPrompts::Choice MessageBoxPrompts::askYesNoCancel(const QString& question, Choice defaultChoice)
{
    const QMessageBox::StandardButton defaultButton = defaultChoice == Choice::Yes  ? QMessageBox::Yes
                                                      : defaultChoice == Choice::No ? QMessageBox::No
                                                                                    : QMessageBox::Cancel;
    switch (QMessageBox::question(boxParent(), QApplication::applicationName(), question,
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, defaultButton)) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

QString MessageBoxPrompts::askLine(const QString& title, const QString& label, int echoMode)
{
    bool isAccepted = false;
    const QString answer = QInputDialog::getText(boxParent(), title, label,
                                                 static_cast<QLineEdit::EchoMode>(echoMode), QString(),
                                                 &isAccepted);
    return isAccepted ? answer : QString();
}

} // namespace vantor::ui
