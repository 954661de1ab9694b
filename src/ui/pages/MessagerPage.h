#pragma once

#include "storage/TextTable.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace vantor::ui {

// Page 3: the message sender. For now it holds what start-up fills: the account box SendBox and the sender
// fields with the defaults of [Messager]; the composer moves in here.
class MessagerPage : public QWidget
{
    Q_OBJECT

public:
    explicit MessagerPage(QWidget* parent = nullptr);

    // SendBox gets these descriptions in order; the first is selected when there is one.
    void setAccounts(const QStringList& descriptions);
    void setSenderDefaults(const QString& name, const QString& address);
    QComboBox& sendBox() { return *m_sendBox; }
    QLineEdit& fromNameEdit() { return *m_fromNameEdit; }
    QLineEdit& fromAddressEdit() { return *m_fromAddressEdit; }
    void relabel(const storage::TextTable& texts);

private:
    QLabel* m_accountLabel;
    QComboBox* m_sendBox;
    QLabel* m_nameLabel;
    QLineEdit* m_fromNameEdit;
    QLabel* m_addressLabel;
    QLineEdit* m_fromAddressEdit;
};

} // namespace vantor::ui
