#include "platform/sound_player.h"

#include "platform/text_values.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>

#include <filesystem>
#include <system_error>

namespace korbi::platform {

SoundPlayer::SoundPlayer(QObject* parent)
    : SoundDevice(parent), m_effect(std::make_unique<QSoundEffect>()) {
    connect(m_effect.get(), &QSoundEffect::playingChanged, this, &SoundPlayer::OnPlayingChanged);
}

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

void SoundPlayer::Close() {
    // The mode changes first, so that stopping is not taken for the end of the sound.
    m_mode = Mode::Closed;
    m_effect->stop();
    m_effect->setSource(QUrl());
}

void SoundPlayer::Open() {
    if (m_mode != Mode::Closed || !EqualsNoCase(m_deviceType, "WaveAudio")) {
        return;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(m_fileName, error)) {
        return;
    }
    m_effect->setSource(QUrl::fromLocalFile(QFile::decodeName(m_fileName.c_str())));
    m_mode = Mode::Open;
}

void SoundPlayer::Play() {
    if (m_mode != Mode::Open) {
        return;
    }
    m_mode = Mode::Playing;
    // Before the file has loaded, the effect keeps the request and starts once it is ready.
    m_effect->play();
}

void SoundPlayer::OnPlayingChanged() {
    if (m_mode != Mode::Playing || m_effect->isPlaying()) {
        return;
    }
    m_mode = Mode::Open;
    emit Done();
}

} // namespace korbi::platform
