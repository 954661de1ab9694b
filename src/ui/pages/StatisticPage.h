#pragma once

#include <QWidget>

namespace vantor::ui {

// The main window's page 1 (statistics chart and date range); its content moves in with the commands that
// fill it.
class StatisticPage : public QWidget
{
    Q_OBJECT

public:
    explicit StatisticPage(QWidget* parent = nullptr);
};

} // namespace vantor::ui
