#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace vantor::ui {

// The program's save dialog: a title, a list of file types, and by default an existing file overwritten
// without asking.
class SaveFileDialog
{
public:
    struct Choice
    {
        QString fileName;
        // Index into the filters given to run().
        int filterIndex = 0;
    };

    struct Options
    {
        // Index of the file type shown first.
        int selectedFilter = 0;
        bool confirmOverwrite = false;
        // The name offered in the dialog (a bare name or a whole path).
        QString proposedName;
        // Added by the dialog to a name typed without an extension ("exe", no dot); empty adds none.
        QString defaultSuffix;
    };

    // Runs the dialog modally; empty when the user cancelled or chose no name. objectName lets tests find it.
    static std::optional<Choice> run(QWidget* parent, const QString& objectName, const QString& title,
                                     const QStringList& filters, const Options& options);
    // The same with the default options. An overload, not a default argument: g++ 12 cannot use the
    // member initialisers of Options before this class is complete.
    static std::optional<Choice> run(QWidget* parent, const QString& objectName, const QString& title,
                                     const QStringList& filters)
    {
        return run(parent, objectName, title, filters, Options());
    }
};

} // namespace vantor::ui
