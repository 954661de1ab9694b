#include "ui/pages/StatisticPage.h"

namespace vantor::ui {

StatisticPage::StatisticPage(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("StatisticPage"));
}

} // namespace vantor::ui
