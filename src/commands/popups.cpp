#include "commands/popups.h"

#include "commands/aliases.h"
#include "irc/message_parsing.h"

namespace korbi::commands {

namespace {

std::string NicksEachWithBlank(const core::PaneRegistry& panes, const core::NickLists& nicks) {
    std::string text;
    for (const std::string& nick : SelectedNickNames(panes, nicks)) {
        text += nick + " ";
    }
    return text;
}

} // namespace

std::vector<std::string> SelectedNickNames(const core::PaneRegistry& panes,
                                           const core::NickLists& nicks) {
    std::vector<std::string> names;
    for (const std::string& entry : nicks.SelectedNicks(panes.CurVisible())) {
        names.push_back(irc::WithoutRanks(entry, nicks.RankMarks()));
    }
    return names;
}

std::string PopupParams(const std::vector<std::string>& nicks) {
    std::string params;
    for (const std::string& nick : nicks) {
        params += " " + nick;
    }
    return params;
}

void MenuWhois_Click(const core::PaneRegistry& panes, const core::NickLists& nicks,
                     core::CommandRunner& runner) {
    runner.SendCommand2Serv("/WHOIS " + NicksEachWithBlank(panes, nicks));
}

void MenuQuery_Click(const core::PaneRegistry& panes, const core::NickLists& nicks,
                     core::CommandRunner& runner) {
    runner.SendCommand2Serv("/QUERY " + NicksEachWithBlank(panes, nicks));
}

void RunPopup(const core::PaneRegistry& panes, const core::NickLists& nicks,
              const core::PopupTableSlots& PopupTable, CommandInterpreter& interpreter, int N) {
    if (N < 1 || N > kPopupItems) {
        return;
    }
    const std::string entry = PopupTable[static_cast<std::size_t>(N - 1)];
    if (entry.empty()) {
        return;
    }
    const VariableContext context =
        interpreter.CurrentContext(PopupParams(SelectedNickNames(panes, nicks)));
    interpreter.RunPieces(irc::GetWord(1, entry), AliasPieces(entry, context));
}

std::array<std::optional<std::string>, kPopupItems>
PopupCaptions(const core::PopupTableSlots& PopupTable) {
    std::array<std::optional<std::string>, kPopupItems> captions;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        if (!PopupTable[i].empty()) {
            captions[i] = irc::GetWord(1, PopupTable[i]);
        }
    }
    return captions;
}

} // namespace korbi::commands
