#pragma once

#include "core/program/TrayState.h"
#include "storage/TextTable.h"

#include <QAction>
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QTimer>

namespace vantor::ui {

// The tray icon with its five images, the hint of each state and the tray menu (PopupIcon). While a preview
// waits for the user, TimerTask blinks between images 3 and 4.
class TrayController : public QObject
{
    Q_OBJECT

public:
    static constexpr int BlinkInterval = 250;

    explicit TrayController(const storage::TextTable& texts, QObject* parent = nullptr);

    // Whether the desktop has a tray at all; without one the window must stay reachable.
    static bool isAvailable();
    void show();
    void hide();

    void setState(core::TrayState state);
    core::TrayState state() const { return m_state; }
    // The image index now shown (0-4).
    int imageIndex() const { return m_imageIndex; }
    QString hint() const { return m_icon.toolTip(); }
    // Captions of the menu and the hint, from the current texts.
    void relabel();
    // A balloon at the icon with the information icon; the desktop drops it when there is no tray.
    void showBalloon(const QString& title, const QString& text, int timeoutMs);

    QMenu& menu() { return m_menu; }
    QAction& aboutAction() { return *m_about; }
    QAction& closeAction() { return *m_close; }
    QAction& settingAction() { return *m_setting; }
    QAction& notifyAction() { return *m_notify; }
    QAction& checkAction() { return *m_check; }
    QAction& showAction() { return *m_show; }

signals:
    // The icon itself was clicked: the menu's default item, open the window.
    void activated();

private:
    void setImage(int index);
    QString stateHint() const;

    const storage::TextTable& m_texts;
    QSystemTrayIcon m_icon;
    QMenu m_menu;
    QAction* m_about;
    QAction* m_close;
    QAction* m_setting;
    QAction* m_notify;
    QAction* m_check;
    QAction* m_show;
    QTimer m_timerTask;
    core::TrayState m_state = core::TrayState::Idle;
    int m_imageIndex = 0;
};

} // namespace vantor::ui
