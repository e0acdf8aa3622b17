// "$" variables and the command interpreter on arbitrary command lines and aliases, the
// aliases free to run one another and themselves.
//
// Input lines: the parameter text; then "nick|chan|me|topic|server" for the variables; then
// any number of lines, each either "=" and an alias entry, or a command line. Every command
// line is expanded on its own and then run as if typed.
#include "checking_host.h"
#include "commands/variables.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using korbi::fuzz::Require;
using namespace korbi::commands;

VariableContext ContextFrom(std::string_view params, std::string_view values) {
    const auto parts = korbi::fuzz::SplitAt(values, '|');
    const auto part = [&](std::size_t i) {
        return i < parts.size() ? std::string(parts[i]) : std::string();
    };
    VariableContext context;
    context.params = std::string(params);
    context.nick = part(0);
    context.chan = part(1);
    context.NickName = part(2);
    context.topic = part(3);
    context.serverName = part(4);
    context.PhotoPict = "face";
    context.numUsers = static_cast<long>(params.size());
    context.now = {1998, 6, 15, 12, 34, 56};
    return context;
}

// No value is longer than the longest text the context holds, or a short fixed text.
std::size_t LongestValue(const VariableContext& context) {
    return std::max({context.params.size(), context.nick.size(), context.chan.size(),
                     context.NickName.size(), context.topic.size(), context.serverName.size(),
                     context.PhotoPict.size(), std::size_t{32}});
}

void CheckExpansion(std::string_view text, const VariableContext& context) {
    const std::string expanded = ExpandVars(text, context);
    const auto words = static_cast<std::size_t>(std::count(text.begin(), text.end(), ' ')) + 1;
    Require(!expanded.empty() && expanded.back() == ' ', "every expanded word ends with a blank");
    Require(expanded.size() <= text.size() + words * (LongestValue(context) + 1),
            "an expansion grows by at most one value per word");
}

void Configure(korbi::fuzz::CheckingHost& host) {
    host.settingsValue.NickName = "me";
    host.settingsValue.PhotoPict = "face";
    host.topicBar[0] = "irc.example.net";
    host.AddPane("#c", {"@op", "+voice", "bob"});
    host.AddPane("bob");
    host.MakeVisible(1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view input = korbi::fuzz::AsText(data, size);
    const std::string_view params = korbi::fuzz::TakeLine(input);
    const std::string_view values = korbi::fuzz::TakeLine(input);
    const VariableContext context = ContextFrom(params, values);

    korbi::fuzz::CheckingHost host;
    Configure(host);
    std::vector<std::string_view> commandLines;
    std::size_t aliases = 0;
    for (const std::string_view line : korbi::fuzz::SplitAt(input, '\n')) {
        if (line.starts_with('=')) {
            if (aliases < host.settingsValue.AliasTable.size()) {
                host.settingsValue.AliasTable[aliases++] = std::string(line.substr(1));
            }
        } else {
            commandLines.push_back(line);
        }
    }

    for (const std::string_view line : commandLines) {
        CheckExpansion(line, context);
        host.ForgetRecords();
        host.SendCommand2Serv(std::string(line));
        host.CheckPanes();
        // One piece sends at most two lines (a picture and its text).
        Require(host.sent.size() <=
                    2 * static_cast<std::size_t>(korbi::fuzz::kAliasLimits.MaxCommands) + 2,
                "one typed command sends a bounded number of lines");
    }
    return 0;
}
