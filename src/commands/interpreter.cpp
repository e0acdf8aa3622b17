#include "commands/interpreter.h"

#include "platform/text_values.h"

#include <algorithm>
#include <utility>

namespace korbi::commands {

CommandLine SplitCommandLine(std::string_view line) {
    const std::size_t blank = std::min(line.find(' '), line.size());
    const std::string_view first = line.substr(0, blank);
    return {platform::UpperAscii(first.empty() ? first : first.substr(1)),
            std::string(line.substr(blank))};
}

CommandInterpreter::CommandInterpreter(CommandRoles roles, Clock clock, AliasLimits limits)
    : m_roles(roles), m_clock(std::move(clock)), m_aliasNesting(limits) {}

void CommandInterpreter::SendCommand2Serv(const std::string& line) {
    const CommandLine command = SplitCommandLine(line);
    if (const BuiltinCommand* builtin = FindBuiltin(command.C)) {
        builtin->handler(m_roles, command.P);
        return;
    }
    if (FindAlias(m_roles.config.settings().AliasTable, command.C) >= 0) {
        RunAlias(command.C, command.P);
        return;
    }
    if (m_roles.config.flags().DebugMode) {
        m_roles.output.Print(0, core::LineStyle::UnknownCommand,
                             "Sent Unknown Command = " + command.C);
    }
    m_roles.link.Send2Serv(command.C + command.P);
}

void CommandInterpreter::RunAlias(const std::string& word, const std::string& params) {
    const auto& table = m_roles.config.settings().AliasTable;
    const int index = FindAlias(table, word);
    if (index < 0) {
        return;
    }
    // Expanded once, before any piece runs: later pieces see the values of the start.
    RunPieces(word, AliasPieces(table[static_cast<std::size_t>(index)], CurrentContext(params)));
}

void CommandInterpreter::RunCommandLine(const std::string& line) {
    SendCommand2Serv(ExpandVars(line, CurrentContext({})));
}

void CommandInterpreter::RunPieces(std::string_view name, const std::vector<std::string>& pieces) {
    m_aliasNesting.Run(
        name, pieces, [this](const std::string& piece) { SendCommand2Serv(piece); },
        [this](const std::string& line) {
            m_roles.output.Print(0, core::LineStyle::Warning, line);
        });
}

VariableContext CommandInterpreter::CurrentContext(std::string params) const {
    const core::Settings& settings = m_roles.config.settings();
    const int visible = m_roles.panes.CurVisible();
    return {
        .params = std::move(params),
        .nick = {},
        .chan = m_roles.panes.WinName(visible),
        .NickName = settings.NickName,
        .PhotoPict = settings.PhotoPict,
        .YourDefaultPict = settings.YourDefaultPict,
        .OtherDefaultPict = settings.OtherDefaultPict,
        .serverName = m_roles.output.TopicBar(0),
        .topic = m_roles.output.TopicBar(visible),
        .localIp = m_roles.link.LocalIP(),
        .localHost = m_roles.link.LocalHostName(),
        .numUsers = static_cast<long>(m_roles.nicks.NickListItems(visible).size()),
        .now = m_clock(),
    };
}

} // namespace korbi::commands
