#pragma once
// The CTCP handler's view of the client: every call goes to the role that serves it, and the
// settings are read at the moment they are needed.
#include "commands/ctcp_host.h"
#include "session/handler_table.h"

namespace korbi::session {

class CtcpHostAdapter : public commands::CtcpHost {
  public:
    explicit CtcpHostAdapter(const HandlerRoles& roles) : m_roles(roles) {}

    void PrintCoul(int slot, const std::string& picture, int red, int green, int blue,
                   const std::string& text) override {
        m_roles.output.PrintCoul(slot, picture, red, green, blue, text);
    }
    void Send2Serv(const std::string& line) override { m_roles.link.Send2Serv(line); }
    int FindChanWin(const std::string& name) const override {
        return m_roles.panes.FindChanWin(name);
    }
    int CurVisible() const override { return m_roles.panes.CurVisible(); }
    bool CheckFileExist(const std::string& path) const override {
        return m_roles.media.CheckFileExist(path);
    }
    bool IsFetching() const override { return m_roles.media.IsFetching(); }
    void FetchFile(const std::string& host, const std::string& path) override {
        m_roles.media.FetchFile(host, path);
    }
    void PlaySound(const std::string& file) override { m_roles.media.PlaySound(file); }
    bool DebugMode() const override { return m_roles.config.flags().DebugMode; }
    std::string NickName() const override { return m_roles.config.settings().NickName; }
    std::string versionstr() const override { return m_roles.config.settings().versionstr; }
    int FloodProtDelay() const override { return m_roles.config.settings().FloodProtDelay; }

  private:
    HandlerRoles m_roles;
};

} // namespace korbi::session
