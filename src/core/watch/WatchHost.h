#pragma once

#include <QString>

namespace vantor::core {

// What the new-mail watch and the timed check ask of the window: the tray balloon, the notification sound
// and the check mark of the tray item "Notify new emails".
class WatchHost
{
public:
    virtual ~WatchHost() = default;

    // A balloon at the tray icon with the information icon, shown for timeoutMs.
    virtual void showBalloon(const QString& title, const QString& text, int timeoutMs) = 0;
    // Play notify.wav of the home directory to its end; nothing when the file or the audio device is missing.
    virtual void playNotifySound() = 0;
    virtual void setNotifyChecked(bool checked) = 0;
};

} // namespace vantor::core
