#pragma once

#include <QDialog>

namespace vantor::ui {

// Name, version, maker and home page of the program.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(const QString& caption, const QString& version, QWidget* parent = nullptr);
};

} // namespace vantor::ui
