#pragma once

#include "storage/TextTable.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>

namespace vantor::ui {

// Page 2: the viewer of the messages waiting on one server. For now it holds the account box that start-up
// fills; the viewer itself moves in here.
class EMailManagerPage : public QWidget
{
    Q_OBJECT

public:
    explicit EMailManagerPage(QWidget* parent = nullptr);

    // AccountBox gets these descriptions in order; the first is selected.
    void setAccounts(const QStringList& descriptions);
    QComboBox& accountBox() { return *m_accountBox; }
    void relabel(const storage::TextTable& texts);

private:
    QLabel* m_accountLabel;
    QComboBox* m_accountBox;
};

} // namespace vantor::ui
