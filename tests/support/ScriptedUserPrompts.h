#pragma once

#include "core/program/UserPrompts.h"

#include <QList>
#include <QStringList>

namespace vantor::test {

// Answers every box from queues the test fills, and records what was shown. An empty queue answers
// No / the empty text, which is also what a user who closes the box gives.
class ScriptedUserPrompts : public core::UserPrompts
{
public:
    void showError(const QString& text) override;
    bool askYesNo(const QString& question) override;
    // Asked and answered like a Yes/No question: OK is Yes.
    bool askOkCancel(const QString& warning) override;
    QString askPassword(const QString& title, const QString& label) override;
    QString askText(const QString& title, const QString& label) override;
    // Recorded in questions as well; an empty queue answers Cancel, as closing the box does.
    Choice askYesNoCancel(const QString& question, Choice defaultChoice) override;

    QList<bool> yesNoAnswers;
    QStringList passwordAnswers;
    QStringList textAnswers;
    QList<Choice> choiceAnswers;

    QStringList errors;
    QStringList questions;
    // Title and label of each password box, as "title|label".
    QStringList passwordPrompts;
    // Title and label of each text box, as "title|label".
    QStringList textPrompts;
    // The default button of each Yes/No/Cancel question.
    QList<Choice> choiceDefaults;
};

} // namespace vantor::test
