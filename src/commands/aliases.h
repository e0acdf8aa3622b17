#pragma once
// User-defined aliases: an entry is a name, one blank and a body of "|"-separated slash
// commands with "$" variables. This file finds an entry, turns it into the commands to run,
// and keeps an alias that runs itself again, directly or through others, from running forever.
#include "commands/variables.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korbi::commands {

// The index of the alias whose name equals word without regard to case, or -1. The table ends
// at its first empty entry; when two entries share a name the later one wins. An empty word
// matches nothing, not even an entry that begins with a blank.
int FindAlias(std::span<const std::string> AliasTable, std::string_view word);

// The commands an alias (or popup) entry runs, in order. The body (the entry after its first
// word) is expanded once, then cut at every "|" written in the body; each piece is trimmed of
// blanks. A piece between two adjacent bars is run as an empty command; an empty last piece
// is not. A "|" that arrives inside a value (a nick, a topic, a typed parameter) is text, not
// a separator, so nobody else's text can add commands to the user's alias.
std::vector<std::string> AliasPieces(std::string_view entry, const VariableContext& context);

// Limits how deep aliases may run one another, and how many commands and how many bytes of
// commands one alias typed by the user may produce in all: an alias that hands its parameters
// on twice doubles them at every level. The interpreter owns one and runs every alias through it:
//
//     m_aliasNesting.Run(word, AliasPieces(entry, context),
//                        [&](const std::string& piece) { SendCommand2Serv(piece); },
//                        [&](const std::string& line) { /* print line in pane 0 */ });
//
// Once a limit is hit the report gets one line, and nothing more runs until the outermost
// alias has returned, so a looping alias stops with a single message.
struct AliasLimits {
    int MaxDepth = 16;
    long MaxCommands = 1000;
    std::size_t MaxBytes = 64 * 1024;
};

class AliasNesting {
  public:
    explicit AliasNesting(AliasLimits limits = {}) : m_limits(limits) {}

    using PieceRunner = std::function<void(const std::string& piece)>;
    using Reporter = std::function<void(const std::string& line)>;

    // Runs the pieces of alias name one level deeper than the alias running now, if any.
    void Run(std::string_view name, const std::vector<std::string>& pieces,
             const PieceRunner& runPiece, const Reporter& report);

    int Depth() const { return m_depth; }

  private:
    // Enters one level for its lifetime; leaving the outermost level clears the run's state.
    class Level {
      public:
        explicit Level(AliasNesting& nesting);
        ~Level();
        Level(const Level&) = delete;
        Level& operator=(const Level&) = delete;

      private:
        AliasNesting& m_nesting;
    };

    void Stop(const std::string& line, const Reporter& report);

    AliasLimits m_limits;
    int m_depth = 0;
    long m_commands = 0;
    std::size_t m_bytes = 0;
    bool m_stopped = false;
};

} // namespace korbi::commands
