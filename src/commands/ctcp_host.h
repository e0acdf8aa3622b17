#pragma once
// What answering CTCP requests needs from the windows around it: printing into panes, the
// server connection, the picture exchange, the sound player and a few settings. The server
// window implements it; tests use a recording fake.
#include <string>

namespace korbi::commands {

class CtcpHost {
  public:
    virtual ~CtcpHost() = default;

    // Prints one line into pane slot; picture is program-relative ("PICTS\EVACTION") or "".
    virtual void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                           const std::string& text) = 0;
    // Sends one protocol line (without line end); lost silently while disconnected.
    virtual void Send2Serv(const std::string& line) = 0;
    // Slot of the pane named name (without regard to case), 0 when there is none.
    virtual int FindChanWin(const std::string& name) const = 0;
    // The visible slot.
    virtual int CurVisible() const = 0;
    // Whether the program-relative file path ("PICTS\cat.BMP") can be read.
    virtual bool CheckFileExist(const std::string& path) const = 0;
    // Whether the picture exchange is busy fetching a picture.
    virtual bool IsFetching() const = 0;
    // Fetches the picture path ("PICTS\cat.BMP") from the picture exchange of host.
    virtual void FetchFile(const std::string& host, const std::string& path) = 0;
    // Plays the program-relative wave file ("SOUNDS\ding.WAV").
    virtual void PlaySound(const std::string& file) = 0;
    // Whether the menu item "Debug Mode" is checked.
    virtual bool DebugMode() const = 0;

    // Settings of the server window, read at the moment they are needed.
    virtual std::string NickName() const = 0;
    virtual std::string versionstr() const = 0;
    virtual int FloodProtDelay() const = 0; // flood level, 1 to 20
};

} // namespace korbi::commands
