#pragma once
// The CTCP handler's view of the client: every call goes to the client host, and the
// settings are read at the moment they are needed.
#include "commands/ctcp_host.h"
#include "core/client_host.h"

namespace korbi::session {

class CtcpHostAdapter : public commands::CtcpHost {
  public:
    explicit CtcpHostAdapter(core::ClientHost& host) : m_host(host) {}

    void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                   const std::string& text) override {
        m_host.PrintCoul(slot, picture, red, green, blue, text);
    }
    void Send2Serv(const std::string& line) override { m_host.Send2Serv(line); }
    int FindChanWin(const std::string& name) const override { return m_host.FindChanWin(name); }
    int CurVisible() const override { return m_host.CurVisible(); }
    bool CheckFileExist(const std::string& path) const override {
        return m_host.CheckFileExist(path);
    }
    bool IsFetching() const override { return m_host.IsFetching(); }
    void FetchFile(const std::string& host, const std::string& path) override {
        m_host.FetchFile(host, path);
    }
    void PlaySound(const std::string& file) override { m_host.PlaySound(file); }
    bool DebugMode() const override { return m_host.flags().DebugMode; }
    std::string NickName() const override { return m_host.settings().NickName; }
    std::string versionstr() const override { return m_host.settings().versionstr; }
    int FloodProtDelay() const override { return m_host.settings().FloodProtDelay; }

  private:
    core::ClientHost& m_host;
};

} // namespace korbi::session
