#include "core/prefs_file.h"

#include "core/prefs_layout.h"
#include "platform/text_values.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace korbi::core {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kInt16Min = -32768;
constexpr int kInt16Max = 32767;

// Hands out the file's lines in order. A CR ends a line (one LF right after it belongs to that
// line end); a LF alone is ordinary text, as the old runtime read it.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : m_bytes(bytes) {}

    std::optional<std::string> Next() {
        if (m_position >= m_bytes.size()) {
            return std::nullopt;
        }
        ++m_lineNumber;
        const std::size_t cr = m_bytes.find('\r', m_position);
        if (cr == std::string_view::npos) {
            std::string line(m_bytes.substr(m_position));
            m_position = m_bytes.size();
            return line;
        }
        std::string line(m_bytes.substr(m_position, cr - m_position));
        m_position = cr + 1;
        if (m_position < m_bytes.size() && m_bytes[m_position] == '\n') {
            ++m_position;
        }
        return line;
    }

    // The number of the line Next() handed out last, or is about to fail on.
    int LineNumber() const { return m_lineNumber; }

  private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
    int m_lineNumber = 0;
};

bool FlagValue(std::string_view line) {
    return platform::NumericValue(line) == 1.0;
}

std::optional<int> Number16(std::string_view line) {
    const double rounded = platform::RoundHalfEven(platform::NumericValue(line));
    if (!(rounded >= kInt16Min && rounded <= kInt16Max)) {
        return std::nullopt;
    }
    return static_cast<int>(rounded);
}

// Every blank separates two entries, so two blanks in a row, or a blank at either end, give
// an empty entry; this keeps a selected last entry's trailing blank stable from save to save.
std::vector<std::string> SplitServerList(std::string_view line) {
    const std::vector<std::string_view> entries = platform::SplitAtBlanks(line);
    return {entries.begin(), entries.end()};
}

struct Reading {
    LineReader lines;
    PrefsReadResult& result;

    bool Fail(int number, std::string_view what) {
        result.ErrorNumber = number;
        result.FailureLine =
            number == kErrInputPastEndOfFile ? lines.LineNumber() + 1 : lines.LineNumber();
        result.Failure = "line " + std::to_string(result.FailureLine) + ": " + std::string(what);
        return false;
    }

    bool ReadLine(std::string& line) {
        std::optional<std::string> next = lines.Next();
        if (!next) {
            return Fail(kErrInputPastEndOfFile, "Input past end of file");
        }
        if (next->size() > kMaxPrefsLineBytes) {
            return Fail(kErrOutOfMemory,
                        "a line of more than " + std::to_string(kMaxPrefsLineBytes) + " bytes");
        }
        line = std::move(*next);
        return true;
    }

    // A blank-separated list of more entries than any user keeps.
    bool CheckEntries(const std::string& line) {
        const auto blanks = static_cast<std::size_t>(std::count(line.begin(), line.end(), ' '));
        if (blanks + 1 > kMaxPrefsListEntries) {
            return Fail(kErrOutOfMemory,
                        "a list of more than " + std::to_string(kMaxPrefsListEntries) + " entries");
        }
        return true;
    }

    bool ReadNumber(int& value) {
        std::string line;
        if (!ReadLine(line)) {
            return false;
        }
        const std::optional<int> number = Number16(line);
        if (!number) {
            return Fail(kErrOverflow, "Overflow");
        }
        value = *number;
        return true;
    }

    // The count, then that many entries into slots 0 upwards. The line is read before its slot
    // is checked, so a short file reports the end of the file rather than the count.
    bool ReadTable(std::span<std::string> slots) {
        int count = 0;
        if (!ReadNumber(count)) {
            return false;
        }
        std::fill(slots.begin(), slots.end(), std::string());
        for (int i = 1; i <= count; ++i) {
            std::string line;
            if (!ReadLine(line)) {
                return false;
            }
            if (static_cast<std::size_t>(i - 1) >= slots.size()) {
                return Fail(kErrSubscriptOutOfRange, "Subscript out of range");
            }
            slots[static_cast<std::size_t>(i - 1)] = std::move(line);
        }
        return true;
    }

    bool Read(const PrefsLine& layout) {
        Settings& settings = result.settings;
        std::string line;
        switch (layout.kind) {
        case LineKind::Table:
            return ReadTable(TableSlots(settings, layout));
        case LineKind::Number:
            return ReadNumber(settings.*layout.number);
        case LineKind::Tail:
        case LineKind::NewFileTail:
            return true;
        default:
            break;
        }
        if (!ReadLine(line) || (layout.isList && !CheckEntries(line))) {
            return false;
        }
        switch (layout.kind) {
        case LineKind::Text:
        case LineKind::ServerPort:
            settings.*layout.text = std::move(line);
            break;
        case LineKind::ServerList:
            result.ServerNameEntries = SplitServerList(line);
            settings.*layout.text = std::move(line);
            break;
        case LineKind::Flag:
            settings.*layout.flag = FlagValue(line);
            break;
        default: // comments, headers and separators carry no value
            break;
        }
        return true;
    }

    // The lines after the positional part up to the section header are the file's own tail
    // and carry nothing; every line after the header belongs to the section.
    void ReadExtras() {
        ExtraSettings& extras = result.settings.Extras;
        extras = ExtraSettings();
        bool inSection = false;
        for (std::optional<std::string> line = lines.Next(); line; line = lines.Next()) {
            if (!inSection) {
                inSection = *line == kExtraSectionHeader;
                continue;
            }
            if (line->size() > kMaxPrefsLineBytes ||
                extras.Lines().size() >= kMaxPrefsListEntries) {
                Fail(kErrOutOfMemory, "a line of the extra settings is too long or too many");
                return;
            }
            if (!line->empty()) {
                extras.AddLine(std::move(*line));
            }
        }
    }
};

// A value line must stay one line: a CR or LF inside it would shift every later line. Nor may
// it be longer than the reader takes, or the next start-up would refuse the whole file.
std::string OneLine(std::string_view value) {
    std::string line(value.substr(0, kMaxPrefsLineBytes));
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

// A list line holds at most the entries the reader takes.
std::string ListLine(std::string_view value) {
    std::string line = OneLine(value);
    std::size_t blank = std::string::npos;
    for (std::size_t entries = 1; entries <= kMaxPrefsListEntries; ++entries) {
        blank = line.find(' ', blank + 1);
        if (blank == std::string::npos) {
            return line;
        }
    }
    line.resize(blank);
    return line;
}

// A number the reader could not take back would stop the next start-up, so it is held to the
// 16-bit range here.
std::string NumberLine(int value) {
    return platform::NumberText(std::clamp(value, kInt16Min, kInt16Max));
}

// The first empty slot ends a table and is written as its end entry. A table with no empty slot
// is written whole, without an end entry: its count then equals the slot count, which the
// reader accepts, so nothing is lost.
std::size_t SavedCount(std::span<const std::string> slots) {
    const auto firstEmpty =
        std::find_if(slots.begin(), slots.end(), [](const std::string& s) { return s.empty(); });
    if (firstEmpty == slots.end()) {
        return slots.size();
    }
    return static_cast<std::size_t>(firstEmpty - slots.begin()) + 1;
}

void AppendLine(std::string& file, std::string_view line) {
    file += line;
    file += kLineEnd;
}

// Nothing is written when the section is empty, so the file of a user who never set anything
// new stays byte for byte what it was.
void AppendExtras(std::string& file, const ExtraSettings& extras) {
    if (extras.Lines().empty()) {
        return;
    }
    AppendLine(file, kExtraSectionHeader);
    const std::size_t count = std::min(extras.Lines().size(), kMaxPrefsListEntries);
    for (std::size_t i = 0; i < count; ++i) {
        AppendLine(file, OneLine(extras.Lines()[i]));
    }
}

} // namespace

Settings ProvisionalSettings() {
    Settings settings;
    settings.NickName = "NoNickNam";
    settings.RealName = "Dozi Raze";
    settings.MyUserName = "radeva";
    settings.HostName = "default";
    return settings;
}

std::string CreatedTimeDate(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d-%02d-%04d", local.tm_hour, local.tm_min,
                  local.tm_sec, local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
    return text;
}

std::string DefaultPrefsFile(const std::string& createdTimeDate) {
    std::string file;
    for (const PrefsLine& line : PrefsLayout()) {
        switch (line.kind) {
        case LineKind::Created:
            AppendLine(file, std::string(line.newText) + createdTimeDate);
            break;
        case LineKind::Table:
            AppendLine(file, std::to_string(line.defaultEntries.size()));
            for (const std::string_view entry : line.defaultEntries) {
                AppendLine(file, entry);
            }
            break;
        default:
            AppendLine(file, line.newText);
            break;
        }
    }
    return file;
}

PrefsReadResult ReadPrefsFile(std::string_view bytes, const Settings& start) {
    PrefsReadResult result;
    result.settings = start;
    Reading reading{LineReader(bytes), result};
    for (const PrefsLine& line : PrefsLayout()) {
        if (!reading.Read(line)) {
            return result;
        }
    }
    reading.ReadExtras();
    return result;
}

std::string RewrittenPrefsFile(const Settings& settings) {
    std::string file;
    for (const PrefsLine& line : PrefsLayout()) {
        switch (line.kind) {
        case LineKind::Comment:
        case LineKind::Header:
            AppendLine(file, line.savedText);
            break;
        case LineKind::Created:
        case LineKind::Empty:
        case LineKind::Tail:
            AppendLine(file, "");
            break;
        case LineKind::NewFileTail:
            break;
        case LineKind::Text:
        case LineKind::ServerList:
        case LineKind::ServerPort:
            AppendLine(file,
                       line.isList ? ListLine(settings.*line.text) : OneLine(settings.*line.text));
            break;
        case LineKind::Flag:
            AppendLine(file, settings.*line.flag ? " 1" : " 0");
            break;
        case LineKind::Number:
            AppendLine(file, NumberLine(settings.*line.number));
            break;
        case LineKind::Table: {
            const std::span<const std::string> slots = TableSlots(settings, line);
            const std::size_t count = SavedCount(slots);
            AppendLine(file, NumberLine(static_cast<int>(count)));
            for (std::size_t i = 0; i < count; ++i) {
                AppendLine(file, OneLine(slots[i]));
            }
            break;
        }
        }
    }
    AppendExtras(file, settings.Extras);
    return file;
}

std::string ServerListText(const std::vector<std::string>& entries, int selectedIndex,
                           std::string_view boxText) {
    const bool selected =
        selectedIndex >= 0 && static_cast<std::size_t>(selectedIndex) < entries.size();
    std::string text;
    if (!selected) {
        // The typed text is not an entry, so every entry follows it.
        text = boxText;
        for (const std::string& entry : entries) {
            text += ' ';
            text += entry;
        }
        return text;
    }
    const auto chosen = static_cast<std::size_t>(selectedIndex);
    text = entries[chosen];
    if (entries.size() > 1) {
        text += ' ';
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i == chosen) {
            continue;
        }
        text += entries[i];
        if (i + 1 < entries.size()) {
            text += ' ';
        }
    }
    return text;
}

std::string StartupErrorText(int errorNumber) {
    return "Unknown Error at startup (" + std::to_string(errorNumber) + ")";
}

} // namespace korbi::core
