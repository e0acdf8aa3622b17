#pragma once
// Role: the log file of a pane: "LOGS\" + name + ".LOG", appended; opening and closing lines
// included.
namespace korbi::core {

class PaneLogs {
  public:
    virtual ~PaneLogs() = default;

    virtual bool LogOpen(int slot) const = 0;
    virtual void OpenLog(int slot) = 0;
    virtual void CloseLog(int slot) = 0;
};

} // namespace korbi::core
