#pragma once
// The wave player as the program drives it: a device that is given a device type and a file
// name, then the commands "close", "open" and "play", and that reports Done when a sound has
// played to its end. The interface lets tests record the commands; SoundPlayer plays for real.
#include <QObject>
#include <QUrl>

#include <memory>
#include <string>

class QSoundEffect;

namespace korbi::platform {

class SoundDevice : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    virtual void SetDeviceType(const std::string& deviceType) = 0;
    virtual void SetFileName(const std::string& fileName) = 0;
    // Runs one command: "close", "open" or "play" (letter case does not matter). A command
    // that cannot be carried out (no such file, play before open) does nothing.
    virtual void Command(const std::string& command) = 0;

  signals:
    // A sound started by "play" has reached its end.
    void Done();
};

// Plays wave files through QSoundEffect. Every command returns at once. Without an audio
// device the effect never reports an end, so no Done arrives; nothing blocks either.
class SoundPlayer : public SoundDevice {
    Q_OBJECT
  public:
    enum class Mode { Closed, Open, Playing };

    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    void SetDeviceType(const std::string& deviceType) override;
    void SetFileName(const std::string& fileName) override;
    void Command(const std::string& command) override;

    Mode CurrentMode() const { return m_mode; }
    const std::string& FileName() const { return m_fileName; }

  private:
    QSoundEffect& Effect();
    void Close();
    void Open();
    void Play();
    void OnPlayingChanged();

    std::unique_ptr<QSoundEffect> m_effect;
    QUrl m_source;
    std::string m_deviceType;
    std::string m_fileName;
    Mode m_mode = Mode::Closed;
};

} // namespace korbi::platform
