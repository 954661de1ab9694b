#pragma once

#include "core/program/UserPrompts.h"

namespace vantor::tools {

// Message boxes on standard error; nobody is there to answer a question or type a password.
class CommandLinePrompts : public core::UserPrompts
{
public:
    void showError(const QString& text) override;
    // No.
    bool askYesNo(const QString& question) override;
    // Cancel.
    bool askOkCancel(const QString& warning) override;
    // The checks here log in with the stored password, so this is never asked; it answers as a cancel.
    QString askPassword(const QString& title, const QString& label) override;
    // Nothing here asks for a name; it answers as a cancel.
    QString askText(const QString& title, const QString& label) override;
    // Cancel: a question nobody answers must not go on as if Yes or No had been chosen.
    Choice askYesNoCancel(const QString& question, Choice defaultChoice) override;

    bool hasShownError() const { return m_hasShownError; }

private:
    bool m_hasShownError = false;
};

} // namespace vantor::tools
