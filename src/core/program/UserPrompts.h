#pragma once

#include <QString>

namespace vantor::core {

// The message boxes and input boxes of the program, so that the logic behind them runs without widgets.
// The window implements them with QMessageBox and QInputDialog; tests answer from a script.
class UserPrompts
{
public:
    enum class Choice
    {
        Yes,
        No,
        Cancel
    };

    virtual ~UserPrompts() = default;

    // A box captioned "Error" with the error icon and an OK button.
    virtual void showError(const QString& text) = 0;
    // A box captioned "Information" with Yes and No; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // A box captioned "Warning" with OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString& warning) = 0;
    // A masked one-line input box with an empty default; the empty text when the user cancels.
    virtual QString askPassword(const QString& title, const QString& label) = 0;
    // A plain one-line input box with an empty default; the empty text when the user cancels.
    virtual QString askText(const QString& title, const QString& label) = 0;
    // A question box captioned with the program's name, with Yes, No and Cancel and the given default
    // button; closing the box is Cancel.
    virtual Choice askYesNoCancel(const QString& question, Choice defaultChoice) = 0;
};

} // namespace vantor::core
