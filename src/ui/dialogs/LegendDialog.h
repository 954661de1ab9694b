#pragma once

#include "storage/TextTable.h"

#include <QDialog>
#include <QGroupBox>
#include <QListWidget>

namespace vantor::ui {

// Explains the icons: the message icons of the result and preview lists, and the tray icons.
class LegendDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LegendDialog(const storage::TextTable& texts, QWidget* parent = nullptr);

    QListWidget& messageIcons() { return *m_messageIcons; }
    QListWidget& trayIcons() { return *m_trayIcons; }

protected:
    // The texts of the language in force when the dialog is shown.
    void showEvent(QShowEvent* event) override;

private:
    void relabel();

    const storage::TextTable& m_texts;
    QListWidget* m_messageIcons;
    QListWidget* m_trayIcons;
    QGroupBox* m_messageGroup = nullptr;
    QGroupBox* m_trayGroup = nullptr;
};

} // namespace vantor::ui
