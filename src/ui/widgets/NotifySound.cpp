#include "ui/widgets/NotifySound.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

namespace vantor::ui {

NotifySound::NotifySound(QString waveName, QObject* parent)
    : QObject(parent)
    , m_waveName(std::move(waveName))
{}

NotifySound::~NotifySound() = default;

bool NotifySound::play()
{
    if (QMediaDevices::audioOutputs().isEmpty() || !QFileInfo(m_waveName).isFile())
        return false;
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        m_effect->setSource(QUrl::fromLocalFile(m_waveName));
    }
    if (m_effect->isPlaying())
        return true;
    m_effect->play();
    return true;
}

} // namespace vantor::ui
