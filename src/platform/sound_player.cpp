#include "platform/sound_player.h"

#include "platform/text_values.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace korbi::platform {

SoundPlayer::SoundPlayer(QObject* parent) : SoundDevice(parent) {}

SoundPlayer::~SoundPlayer() = default;

void SoundPlayer::SetDeviceType(const std::string& deviceType) {
    m_deviceType = deviceType;
}

void SoundPlayer::SetFileName(const std::string& fileName) {
    m_fileName = fileName;
}

void SoundPlayer::Command(const std::string& command) {
    const std::string word = UpperAscii(command);
    if (word == "CLOSE") {
        Close();
    } else if (word == "OPEN") {
        Open();
    } else if (word == "PLAY") {
        Play();
    }
}

// The effect is made when a sound first plays (the device is opened at start-up already):
// making it connects to the sound server and loads the audio libraries, which a session
// without sounds need not wait for nor keep in memory.
QSoundEffect& SoundPlayer::Effect() {
    if (!m_effect) {
        m_effect = std::make_unique<QSoundEffect>();
        connect(m_effect.get(), &QSoundEffect::playingChanged, this,
                &SoundPlayer::OnPlayingChanged);
    }
    return *m_effect;
}

void SoundPlayer::Close() {
    // The mode changes first, so that stopping is not taken for the end of the sound.
    m_mode = Mode::Closed;
    m_source.clear();
    if (m_effect) {
        m_effect->stop();
        m_effect->setSource(QUrl());
    }
}

void SoundPlayer::Open() {
    if (m_mode != Mode::Closed || !EqualsNoCase(m_deviceType, "WaveAudio")) {
        return;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_fileName, error)) {
        return;
    }
    m_source = QUrl::fromLocalFile(QFile::decodeName(m_fileName.c_str()));
    m_mode = Mode::Open;
}

void SoundPlayer::Play() {
    if (m_mode != Mode::Open) {
        return;
    }
    m_mode = Mode::Playing;
    // Without an audio output nothing can be heard, and the effect would only read the file
    // in a thread of Qt's own; the sound then never reports an end, as when it cannot play.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return;
    }
    QSoundEffect& effect = Effect();
    if (effect.source() != m_source) {
        effect.setSource(m_source);
    }
    // Before the file has loaded, the effect keeps the request and starts once it is ready.
    effect.play();
}

void SoundPlayer::OnPlayingChanged() {
    if (m_mode != Mode::Playing || m_effect->isPlaying()) {
        return;
    }
    m_mode = Mode::Open;
    emit Done();
}

} // namespace korbi::platform
