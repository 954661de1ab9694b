#include "support/ScriptedUserPrompts.h"

namespace vantor::test {

void ScriptedUserPrompts::showError(const QString& text)
{
    errors.append(text);
}

bool ScriptedUserPrompts::askYesNo(const QString& question)
{
    questions.append(question);
    return yesNoAnswers.isEmpty() ? false : yesNoAnswers.takeFirst();
}

bool ScriptedUserPrompts::askOkCancel(const QString& warning)
{
    return askYesNo(warning);
}

QString ScriptedUserPrompts::askPassword(const QString& title, const QString& label)
{
    passwordPrompts.append(title + QLatin1Char('|') + label);
    return passwordAnswers.isEmpty() ? QString() : passwordAnswers.takeFirst();
}

QString ScriptedUserPrompts::askText(const QString& title, const QString& label)
{
    textPrompts.append(title + QLatin1Char('|') + label);
    return textAnswers.isEmpty() ? QString() : textAnswers.takeFirst();
}

core::UserPrompts::Choice ScriptedUserPrompts::askYesNoCancel(const QString& question, Choice defaultChoice)
{
    questions.append(question);
    choiceDefaults.append(defaultChoice);
    return choiceAnswers.isEmpty() ? Choice::Cancel : choiceAnswers.takeFirst();
}

} // namespace vantor::test
