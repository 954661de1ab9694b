#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace vantor::ui {

// The program's save dialog: a title, a list of file types, and an existing file overwritten without asking.
class SaveFileDialog
{
public:
    struct Choice
    {
        QString fileName;
        // Index into the filters given to run().
        int filterIndex = 0;
    };

    // Runs the dialog modally; empty when the user cancelled or chose no name. objectName lets tests find it.
    static std::optional<Choice> run(QWidget* parent, const QString& objectName, const QString& title,
                                     const QStringList& filters);
};

} // namespace vantor::ui
