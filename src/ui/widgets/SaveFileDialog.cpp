#include "ui/widgets/SaveFileDialog.h"

#include <QFileDialog>

namespace vantor::ui {

std::optional<SaveFileDialog::Choice> SaveFileDialog::run(QWidget* parent, const QString& objectName,
                                                          const QString& title, const QStringList& filters,
                                                          const Options& options)
{
    QFileDialog dialog(parent, title);
    dialog.setObjectName(objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (options.selectedFilter > 0 && options.selectedFilter < filters.size())
        dialog.selectNameFilter(filters.at(options.selectedFilter));
    if (!options.proposedName.isEmpty())
        dialog.selectFile(options.proposedName);
    dialog.setDefaultSuffix(options.defaultSuffix);
    // Most commands write over an existing file as their users have always known them to.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString fileName = dialog.selectedFiles().constFirst();
    if (fileName.isEmpty())
        return std::nullopt;
    const auto index = filters.indexOf(dialog.selectedNameFilter());
    return Choice{fileName, index < 0 ? 0 : static_cast<int>(index)};
}

} // namespace vantor::ui
