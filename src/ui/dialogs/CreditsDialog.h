#pragma once

#include <QDialog>

namespace vantor::ui {

// Who made the program and the libraries it stands on.
class CreditsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CreditsDialog(const QString& caption, QWidget* parent = nullptr);
};

} // namespace vantor::ui
