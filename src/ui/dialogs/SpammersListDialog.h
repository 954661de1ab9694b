#pragma once

#include "platform/ShellOpen.h"
#include "storage/TextTable.h"

#include <QDialog>
#include <QLabel>

namespace vantor::ui {

// "Spammers List": asks the user to mail the addresses of spammers to the maker, and starts that mail in the
// desktop's mail client when the link label is clicked.
class SpammersListDialog : public QDialog
{
    Q_OBJECT

public:
    SpammersListDialog(const storage::TextTable& texts, platform::ShellOpen& shell,
                       const QString& versionText, QWidget* parent = nullptr);

    QLabel& sendLabel() { return *m_sendLabel; }

    // Opens the mail and closes the window, whether or not the desktop took the link: there is nothing more
    // this window can do about it.
    void sendLabelClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::ShellOpen& m_shell;
    QString m_versionText;
    QLabel* m_sendLabel;
};

} // namespace vantor::ui
