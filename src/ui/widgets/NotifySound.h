#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSoundEffect;

namespace vantor::ui {

// The new-mail sound (Wave1): plays one wave file; nothing when the file or the audio output is missing,
// and a sound already playing is not cut off by the next one.
class NotifySound : public QObject
{
    Q_OBJECT

public:
    explicit NotifySound(QString waveName, QObject* parent = nullptr);
    ~NotifySound() override;

    const QString& waveName() const { return m_waveName; }
    // False when there is no audio output device or no file to play; otherwise starts the sound.
    bool play();

private:
    QString m_waveName;
    // Made on the first play, so a machine that never plays opens no audio device.
    std::unique_ptr<QSoundEffect> m_effect;
};

} // namespace vantor::ui
