#pragma once

#include "core/check/CheckHost.h"
#include "core/watch/WatchHost.h"
#include "ui/widgets/NotifySound.h"

#include <QAction>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace vantor::ui {

class MainForm;

// What the checks and the watch ask of the main window, carried out on its widgets: the disabled commands
// while a check runs, the preview page, the modal windows after a check, the balloon and the sound.
class WindowCheckHost : public core::CheckHost, public core::WatchHost
{
public:
    explicit WindowCheckHost(MainForm& form);

    void setBusy(bool busy) override;
    void setControlsEnabled(bool enabled) override;
    void showPage(core::CheckPage page) override;
    void setPreviewButtons(bool finishEnabled, bool abortEnabled) override;
    void setPreviewMemo(const QString& text) override;
    void setPreviewTally(const QString& text) override;
    void refreshChart() override;
    void openAccountManager() override;
    void showLastReport() override;
    void runMailClient(const QString& path) override;

    void showBalloon(const QString& title, const QString& text, int timeoutMs) override;
    void playNotifySound() override;
    void setNotifyChecked(bool checked) override;

    NotifySound& sound() { return m_sound; }

private:
    MainForm& m_form;
    NotifySound m_sound;
    bool m_isBusy = false;
    // The commands a running check switched off, to be switched on again at its end.
    std::vector<QPointer<QWidget>> m_disabledWidgets;
    std::vector<QPointer<QAction>> m_disabledActions;
};

} // namespace vantor::ui
