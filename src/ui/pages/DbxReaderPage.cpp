#include "ui/pages/DbxReaderPage.h"

namespace vantor::ui {

DbxReaderPage::DbxReaderPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("DbxReaderPage"));
}

} // namespace vantor::ui
