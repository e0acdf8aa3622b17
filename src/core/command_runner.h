#pragma once
// Role: the command interpreter, re-entered by aliases, popups, execute-on-connect and
// playback. Callers below the interpreter's layer reach it through this.
#include <string>

namespace korbi::core {

class CommandRunner {
  public:
    virtual ~CommandRunner() = default;

    virtual void SendCommand2Serv(const std::string& line) = 0;
    virtual void RunCommandLine(const std::string& line) = 0;
};

} // namespace korbi::core
