#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

namespace vantor::ui {

// The program's open dialog: a title, a list of file types, and only an existing file to choose.
class OpenFileDialog
{
public:
    // Runs the dialog modally; the chosen name, or an empty text when the user cancelled. objectName lets
    // tests find it.
    static QString run(QWidget* parent, const QString& objectName, const QString& title,
                       const QStringList& filters);
};

} // namespace vantor::ui
