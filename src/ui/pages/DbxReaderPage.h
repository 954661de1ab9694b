#pragma once

#include <QWidget>

namespace vantor::ui {

// The main window's page 4 (reader of the mail client's store files); its content moves in with the commands
// that fill it.
class DbxReaderPage : public QWidget
{
    Q_OBJECT

public:
    explicit DbxReaderPage(QWidget* parent = nullptr);
};

} // namespace vantor::ui
