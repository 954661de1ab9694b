#pragma once

#include <QDialog>
#include <QListWidget>

namespace vantor::ui {

// Explains the icons: the message icons of the result and preview lists, and the tray icons.
class LegendDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LegendDialog(QWidget* parent = nullptr);

    QListWidget& messageIcons() { return *m_messageIcons; }
    QListWidget& trayIcons() { return *m_trayIcons; }

private:
    QListWidget* m_messageIcons;
    QListWidget* m_trayIcons;
};

} // namespace vantor::ui
