#include "ui/WindowCheckHost.h"

#include "ui/MainForm.h"
#include "ui/MainMenu.h"
#include "ui/MainToolBar.h"
#include "ui/pages/EMailManagerPage.h"
#include "ui/pages/PreviewPane.h"
#include "ui/pages/StatisticPage.h"
#include "ui/pages/VantorCenterPage.h"
#include "ui/widgets/TrayController.h"

#include <QApplication>

#include <utility>

namespace vantor::ui {

WindowCheckHost::WindowCheckHost(MainForm& form)
    : m_form(form)
    , m_sound(form.home().filePath(QStringLiteral("notify.wav")))
{}

void WindowCheckHost::setBusy(bool busy)
{
    // The cycles may ask twice in a row; the cursor stack must get one entry per busy spell.
    if (busy == m_isBusy)
        return;
    m_isBusy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void WindowCheckHost::setControlsEnabled(bool enabled)
{
    if (enabled) {
        for (const QPointer<QWidget>& widget : std::exchange(m_disabledWidgets, {}))
            if (widget)
                widget->setEnabled(true);
        for (const QPointer<QAction>& action : std::exchange(m_disabledActions, {}))
            if (action)
                action->setEnabled(true);
        m_form.pageControl().setEnabled(true);
        return;
    }
    // Only what was enabled is switched off and later on again: a command whose window this build lacks
    // stays disabled after the check.
    for (QWidget* widget : {static_cast<QWidget*>(&m_form.toolBar().checkBtn()),
                            static_cast<QWidget*>(&m_form.toolBar().accountBtn()),
                            static_cast<QWidget*>(&m_form.eMailManager().connectButton())}) {
        if (widget->isEnabled()) {
            m_disabledWidgets.emplace_back(widget);
            widget->setEnabled(false);
        }
    }
    // A list viewed from a file while the check fills it would move the rows the check still works on.
    for (const MainMenu::Item item : {MainMenu::Item::Accounts, MainMenu::Item::ImportAccounts,
                                      MainMenu::Item::ViewFilteredList, MainMenu::Item::ViewDeletedList}) {
        QAction& action = m_form.mainMenu().action(item);
        if (action.isEnabled()) {
            m_disabledActions.emplace_back(&action);
            action.setEnabled(false);
        }
    }
    m_form.pageControl().setEnabled(false);
}

void WindowCheckHost::showPage(core::CheckPage page)
{
    m_form.pageControl().setCurrentIndex(MainForm::VantorCenter);
    m_form.vantorCenter().checkPages().setCurrentIndex(
        page == core::CheckPage::Preview ? VantorCenterPage::Preview : VantorCenterPage::ResultLists);
}

void WindowCheckHost::setPreviewButtons(bool finishEnabled, bool abortEnabled)
{
    PreviewPane& preview = m_form.vantorCenter().previewPage();
    preview.finishBtn().setEnabled(finishEnabled);
    preview.abortBtn().setEnabled(abortEnabled);
    // The page control is off while the preview waits; its page must still take the user's ticks.
    if (finishEnabled || abortEnabled)
        m_form.pageControl().setEnabled(true);
}

void WindowCheckHost::setPreviewMemo(const QString& text)
{
    m_form.vantorCenter().previewPage().previewMemo().setPlainText(text);
}

void WindowCheckHost::setPreviewTally(const QString& text)
{
    m_form.vantorCenter().previewPage().previewTally().setText(text);
}

void WindowCheckHost::refreshChart()
{
    m_form.statistic().refresh();
}

void WindowCheckHost::openAccountManager()
{
    m_form.openAccountManager();
}

void WindowCheckHost::showLastReport()
{
    m_form.showLastReport();
}

void WindowCheckHost::runMailClient(const QString& path)
{
    m_form.shell().runProgram(path);
}

void WindowCheckHost::showBalloon(const QString& title, const QString& text, int timeoutMs)
{
    m_form.tray().showBalloon(title, text, timeoutMs);
}

void WindowCheckHost::playNotifySound()
{
    m_sound.play();
}

void WindowCheckHost::setNotifyChecked(bool checked)
{
    m_form.tray().notifyAction().setChecked(checked);
}

} // namespace vantor::ui
