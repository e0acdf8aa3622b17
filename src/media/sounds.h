#pragma once
// Wave sounds: /SOUND, a received SOUND request, a dropped wave file and new mail all end in
// PlaySound. A new sound cuts off the one playing; the device closes when a sound has ended.
#include "platform/program_folder.h"
#include "platform/sound_player.h"

#include <QObject>

#include <optional>
#include <string>
#include <string_view>

namespace korbi::media {

inline constexpr const char* kWaveAudio = "WaveAudio";
inline constexpr const char* kSilentSound = "SOUNDS\\NONE.WAV";

// The real file a sound name stands for. An absolute path (a file the user dropped or chose)
// is taken as it is. A program-relative name ("SOUNDS\ding.WAV", "sounds\horn.wav") resolves
// inside the program folder; it is refused when a component is "..", or when it names the
// SOUNDS folder with anything but a bare file name after it, so no name built from a request
// reaches a file outside that folder.
std::optional<std::filesystem::path> SoundFilePath(const platform::ProgramFolder& folder,
                                                   std::string_view file);

class Sounds : public QObject {
    Q_OBJECT
  public:
    // device and folder must outlive this object.
    Sounds(platform::SoundDevice& device, const platform::ProgramFolder& folder,
           QObject* parent = nullptr);

    // Opens the device once on the silent file, without playing, as the server window does
    // when it loads.
    void OpenAtStart();

    // Plays one wave file and returns at once: close, device type, file name, open, play. A
    // refused name does nothing at all.
    void PlaySound(const std::string& file);

  private:
    void MMControl1_Done();

    platform::SoundDevice& m_device;
    const platform::ProgramFolder& m_folder;
};

} // namespace korbi::media
