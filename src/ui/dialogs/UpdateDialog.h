#pragma once

#include "core/update/UpdateChecker.h"

#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace vantor::ui {

// The update window: the local version, what the publisher's server publishes, and the commands to ask it
// again, download the program file and abort. Made once and shown again, without blocking, by each menu
// command.
class UpdateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateDialog(const core::UpdateChecker::Services& services, QWidget* parent = nullptr);

    // Reads the information file and shows the window; without a server named there it shows the error
    // and stays closed.
    void showUpdate();
    core::UpdateChecker& checker() { return m_checker; }

    void checkBtnClick();
    // Asks where to save the program file, then downloads it.
    void downloadBtnClick();
    void abortBtnClick();

private:
    void showState();

    core::UpdateChecker m_checker;
    QLabel* m_localVersion;
    QGroupBox* m_homeSite;
    QLabel* m_remoteVersion;
    QLabel* m_fileSize;
    QLabel* m_lastModified;
    QProgressBar* m_progress;
    QPushButton* m_checkBtn;
    QPushButton* m_downloadBtn;
    QPushButton* m_abortBtn;
};

} // namespace vantor::ui
