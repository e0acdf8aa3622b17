#include "commands/aliases.h"

#include "irc/words.h"
#include "platform/text_values.h"

namespace korbi::commands {

namespace {

std::string DepthText(std::string_view name, const AliasLimits& limits) {
    return "*** Alias " + std::string(name) + " stopped: aliases nested more than " +
           std::to_string(limits.MaxDepth) + " deep (does an alias run itself?)";
}

std::string CountText(std::string_view name, const AliasLimits& limits) {
    return "*** Alias " + std::string(name) + " stopped: more than " +
           std::to_string(limits.MaxCommands) + " commands from one alias";
}

std::string SizeText(std::string_view name, const AliasLimits& limits) {
    return "*** Alias " + std::string(name) + " stopped: more than " +
           std::to_string(limits.MaxBytes) + " bytes of commands from one alias";
}

} // namespace

int FindAlias(std::span<const std::string> AliasTable, std::string_view word) {
    if (word.empty()) {
        return -1;
    }
    int found = -1;
    for (std::size_t i = 0; i < AliasTable.size() && !AliasTable[i].empty(); ++i) {
        if (platform::EqualsNoCase(irc::FirstWord(AliasTable[i]), word)) {
            found = static_cast<int>(i);
        }
    }
    return found;
}

std::vector<std::string> AliasPieces(std::string_view entry, const VariableContext& context) {
    const std::string_view body = entry.substr(irc::FirstWord(entry).size());
    const VariableExpander expander(context);
    std::vector<std::string> pieces;
    std::string piece;
    for (const std::string_view word : platform::SplitAtBlanks(body)) {
        if (const auto value = expander.ValueOf(word)) {
            piece += *value;
        } else {
            for (const char c : word) {
                if (c == '|') {
                    pieces.push_back(platform::TrimBlanks(piece));
                    piece.clear();
                } else {
                    piece += c;
                }
            }
        }
        piece += ' ';
    }
    if (std::string last = platform::TrimBlanks(piece); !last.empty()) {
        pieces.push_back(std::move(last));
    }
    return pieces;
}

AliasNesting::Level::Level(AliasNesting& nesting) : m_nesting(nesting) {
    ++m_nesting.m_depth;
}

AliasNesting::Level::~Level() {
    if (--m_nesting.m_depth == 0) {
        m_nesting.m_commands = 0;
        m_nesting.m_bytes = 0;
        m_nesting.m_stopped = false;
    }
}

void AliasNesting::Run(std::string_view name, const std::vector<std::string>& pieces,
                       const PieceRunner& runPiece, const Reporter& report) {
    if (m_stopped) {
        return;
    }
    if (m_depth >= m_limits.MaxDepth) {
        Stop(DepthText(name, m_limits), report);
        return;
    }
    const Level level(*this);
    for (const std::string& piece : pieces) {
        if (m_stopped) {
            return;
        }
        if (m_commands >= m_limits.MaxCommands) {
            Stop(CountText(name, m_limits), report);
            return;
        }
        if (piece.size() > m_limits.MaxBytes - m_bytes) {
            Stop(SizeText(name, m_limits), report);
            return;
        }
        ++m_commands;
        m_bytes += piece.size();
        runPiece(piece);
    }
}

void AliasNesting::Stop(const std::string& line, const Reporter& report) {
    m_stopped = true;
    report(line);
}

} // namespace korbi::commands
