#pragma once
// The command interpreter: turns one slash command, typed or produced by an alias, a popup or
// the execute-on-connect list, into protocol lines and local effects. Built-in commands come
// first, then the user's aliases; anything else goes to the server with its command word
// upper-cased. Everything it touches is reached through the roles it is given.
#include "commands/aliases.h"
#include "commands/builtins.h"
#include "commands/variables.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::commands {

// A typed command line taken apart: C is word 1 without its first character, upper-cased; P is
// every later word, each preceded by one blank ("" for a line of one word).
struct CommandLine {
    std::string C;
    std::string P;
};

CommandLine SplitCommandLine(std::string_view line);

class CommandInterpreter {
  public:
    using Clock = std::function<DateTime()>;

    // The roles must outlive the interpreter; clock reads "now" for $TIME and $DATE; limits bound
    // what one alias may run (smaller ones keep the fuzzer's runs short).
    explicit CommandInterpreter(CommandRoles roles, Clock clock = CurrentDateTime,
                                AliasLimits limits = {});

    // Runs one command line; the first character of its first word is dropped unseen.
    void SendCommand2Serv(const std::string& line);

    // Runs the alias named word (found by FindAlias) with the parameter text params.
    void RunAlias(const std::string& word, const std::string& params);

    // Expands the variables of one line (no parameters, no "$NICK") and runs it as it is.
    void RunCommandLine(const std::string& line);

    // Runs the commands of one alias or popup entry one by one, under the guard that stops
    // aliases running one another without end. name is only used in the stop message.
    void RunPieces(std::string_view name, const std::vector<std::string>& pieces);

    // The values of the "$" variables as they stand now; nick is left empty.
    VariableContext CurrentContext(std::string params) const;

  private:
    CommandRoles m_roles;
    Clock m_clock;
    AliasNesting m_aliasNesting;
};

} // namespace korbi::commands
