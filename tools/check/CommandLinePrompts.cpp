#include "CommandLinePrompts.h"

#include <QTextStream>

namespace vantor::tools {

void CommandLinePrompts::showError(const QString& text)
{
    m_hasShownError = true;
    QTextStream(stderr) << QStringLiteral("Error: ") << text << Qt::endl;
}

bool CommandLinePrompts::askYesNo(const QString&)
{
    return false;
}

bool CommandLinePrompts::askOkCancel(const QString&)
{
    return false;
}

QString CommandLinePrompts::askPassword(const QString&, const QString&)
{
    return QString();
}

QString CommandLinePrompts::askText(const QString&, const QString&)
{
    return QString();
}

core::UserPrompts::Choice CommandLinePrompts::askYesNoCancel(const QString&, Choice)
{
    return Choice::Cancel;
}

} // namespace vantor::tools
