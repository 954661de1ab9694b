#include "ui/widgets/TrayController.h"

#include "core/program/DisplayText.h"
#include "ui/widgets/Icons.h"

namespace vantor::ui {

namespace {

QAction* menuAction(QMenu& menu, const char* objectName)
{
    QAction* action = menu.addAction(QString());
    action->setObjectName(QString::fromLatin1(objectName));
    return action;
}

} // namespace

TrayController::TrayController(const storage::TextTable& texts, QObject* parent)
    : QObject(parent)
    , m_texts(texts)
{
    m_menu.setObjectName(QStringLiteral("PopupIcon"));
    m_about = menuAction(m_menu, "TrayAbout");
    m_close = menuAction(m_menu, "TrayClose");
    m_menu.addSeparator();
    m_setting = menuAction(m_menu, "TraySetting");
    m_notify = menuAction(m_menu, "TrayNotify");
    m_notify->setCheckable(true);
    m_check = menuAction(m_menu, "TrayCheckAccount");
    m_menu.addSeparator();
    m_show = menuAction(m_menu, "TrayShow");
    // The default item is drawn bold, as the desktop does for a double click's target.
    QFont bold = m_show->font();
    bold.setBold(true);
    m_show->setFont(bold);
    m_icon.setContextMenu(&m_menu);

    connect(&m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick)
            emit activated();
    });
    m_timerTask.setObjectName(QStringLiteral("TimerTask"));
    m_timerTask.setInterval(BlinkInterval);
    connect(&m_timerTask, &QTimer::timeout, this, [this] { setImage(m_imageIndex == 3 ? 4 : 3); });
    setState(core::TrayState::Idle);
    relabel();
}

bool TrayController::isAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayController::show()
{
    m_icon.show();
}

void TrayController::hide()
{
    m_icon.hide();
}

void TrayController::setState(core::TrayState state)
{
    m_state = state;
    if (state == core::TrayState::PreviewWaiting) {
        setImage(3);
        m_timerTask.start();
    } else {
        m_timerTask.stop();
        setImage(static_cast<int>(state));
    }
    m_icon.setToolTip(stateHint());
}

void TrayController::relabel()
{
    const auto caption = [this](const char* key) { return core::uiText(m_texts, "PopUp", key); };
    m_about->setText(caption("007"));
    m_close->setText(caption("005"));
    m_setting->setText(caption("004"));
    m_notify->setText(caption("003"));
    m_check->setText(caption("002"));
    m_show->setText(caption("001"));
    m_icon.setToolTip(stateHint());
}

void TrayController::setImage(int index)
{
    m_imageIndex = index;
    m_icon.setIcon(Icons::tray(index));
}

QString TrayController::stateHint() const
{
    switch (m_state) {
    case core::TrayState::Filtering:
        return core::uiText(m_texts, "Message", "033");
    case core::TrayState::Watching:
        return core::uiText(m_texts, "Message", "006");
    case core::TrayState::PreviewBuilding:
        return core::uiText(m_texts, "Message", "036");
    case core::TrayState::PreviewWaiting:
        return core::uiText(m_texts, "Message", "037");
    case core::TrayState::Idle:
        break;
    }
    return QStringLiteral("EMail Vantor");
}

void TrayController::showBalloon(const QString& title, const QString& text, int timeoutMs)
{
    m_icon.showMessage(title, text, QSystemTrayIcon::Information, timeoutMs);
}

} // namespace vantor::ui
