#include "ui/widgets/OpenFileDialog.h"

#include <QFileDialog>

namespace vantor::ui {

QString OpenFileDialog::run(QWidget* parent, const QString& objectName, const QString& title,
                            const QStringList& filters)
{
    QFileDialog dialog(parent, title);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace vantor::ui
