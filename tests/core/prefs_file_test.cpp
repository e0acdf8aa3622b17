#include "core/prefs_file.h"

#include "core/extra_settings.h"
#include "core/prefs_storage.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <iomanip>
#include <sstream>

namespace korbi::core {
namespace {

using namespace korbi::testing;

const std::string kStamp = "14:03:07 05-17-2024";

// The new file as a user would find it, written out independently of the layout table: one
// row per section, after the number of its first line.
std::vector<std::string> NewFileLines() {
    const std::vector<std::string> sections[] = {
        /* 1 */ {";Preferences File .. Do not delete any lines or KorBi won't work anymore !",
                 ";Created 14:03:07 05-17-2024"},
        /* 3 */
        {"[Personnal Info Info (nick,name,email)]", "__NoNick", "_NoNick_",
         "--=== KorBi Beta Tester ===--", "korbi.user@example.net", "0", "0", "0", ""},
        /* 12 */
        {"[Server List and Port]",
         "irc.dal.net us.dal.net broadway.ny.us.dal.net rumble.fl.us.dal.net "
         "powertech.no.eu.dal.net hotspeed.sg.as.dal.net mesra.kl.my.dal.net",
         "6660", ""},
        /* 16 */ {"[People (notify and ignore list)]", "", " *!*@*.example.org", ""},
        /* 20 */
        {"[Misc Prefs]", "", "", "", "1", "1", "0", "0", "0", "0", "0", "15", "", "0", ""},
        /* 35 */
        {"[Mail Prefs]", "your.mail.server", "your.username", "", "sounds\\horn.wav", "1", ""},
        /* 42 */
        {"[Execute On Connect]", "5", "/JOIN #KorBi", "/JOIN #Chat",
         "/pict infomark $me , You are now connected to $server . Enjoy !", "/display ---", "", ""},
        /* 50 */
        {"[Aliases]", "3", "HOP /part $chan | /join $chan",
         "BAN /mode $chan +b $$2 | /kick $chan $$1", "", ""},
        /* 56 */
        {"[PopUps]", "5",
         "Slap! /me slaps $$1 around with a large ball with bloody spikes on them..",
         "Slam! /me slams a 500 lb unix manual on $$1 's head. That gotta hurt... but then "
         "again... where there's no sense... there's no feeling!",
         "- ", "Hugs! /say {{{{{{{{{{{{{{{{ $*1 }}}}}}}}}}}}}}}",
         "SuperHug! /say \00313.:*~*:._.:*~*:._.:*~*:._.:*~*:. | /say \00313:                   : "
         "| /say \00313:   \002\0034{{{ $$1 }}}\002\00313   : | /say \00313:                   : "
         "| /say \00313':*~*:._.:*~*:._.:*~*:._.:*~*:.'",
         "", ""},
    };
    std::vector<std::string> lines;
    for (const std::vector<std::string>& section : sections) {
        lines.insert(lines.end(), section.begin(), section.end());
    }
    return lines;
}

std::string Join(const std::vector<std::string>& lines, std::string_view end = "\r\n") {
    std::string file;
    for (const std::string& line : lines) {
        file += line;
        file += end;
    }
    return file;
}

// The new file with one line (1-based) replaced.
std::string NewFileWith(std::size_t lineNumber, const std::string& text) {
    std::vector<std::string> lines = NewFileLines();
    lines.at(lineNumber - 1) = text;
    return Join(lines);
}

PrefsReadResult Read(const std::string& bytes) {
    return ReadPrefsFile(bytes, ProvisionalSettings());
}

// A blank-separated list of count one-letter entries.
std::string ManyEntries(std::size_t count) {
    std::string list = "a";
    for (std::size_t i = 1; i < count; ++i) {
        list += " a";
    }
    return list;
}

TEST(PrefsFile, ValuesUpToTheirBoundsAreReadAndNoneBeyondIsWritten) {
    const std::string title(kMaxPrefsLineBytes, 'T');
    std::vector<std::string> lines = NewFileLines();
    lines.at(12) = ManyEntries(kMaxPrefsListEntries);
    lines.at(16) = ManyEntries(kMaxPrefsListEntries);
    lines.at(31) = title;
    const PrefsReadResult read = Read(Join(lines));
    ASSERT_TRUE(read.Ok()) << read.Failure;
    EXPECT_EQ(read.ServerNameEntries.size(), kMaxPrefsListEntries);
    EXPECT_EQ(read.settings.TitleBarText, title);

    // A file the program writes must let it start again: longer values are cut to the bounds.
    Settings settings = read.settings;
    settings.TitleBarText += "T";
    settings.ServList = ManyEntries(kMaxPrefsListEntries + 1);
    settings.Notifys = " " + ManyEntries(kMaxPrefsListEntries);
    const PrefsReadResult again = Read(RewrittenPrefsFile(settings));
    ASSERT_TRUE(again.Ok()) << again.Failure;
    EXPECT_EQ(again.settings.TitleBarText, title);
    EXPECT_EQ(again.ServerNameEntries.size(), kMaxPrefsListEntries);
    EXPECT_EQ(again.settings.Notifys, " " + ManyEntries(kMaxPrefsListEntries - 1));
}

TEST(PrefsFile, NewFileIsExactlyTheDocumentedLayout) {
    EXPECT_EQ(DefaultPrefsFile(kStamp), Join(NewFileLines()));
}

// Every value read is checked by rewriting it (SaveAfterLoad...); these are what the rewrite
// cannot show.
TEST(PrefsFile, NewFileReadsBackAsTheDefaults) {
    const PrefsReadResult read = Read(DefaultPrefsFile(kStamp));
    ASSERT_TRUE(read.Ok()) << read.Failure;
    const Settings& s = read.settings;
    EXPECT_EQ(s.NickName, Settings{}.NickName);
    EXPECT_TRUE(s.FetchPics && s.SendPics && s.CheckMail);
    EXPECT_FALSE(s.ClientW || s.LogChan || s.ShowAddress);
    EXPECT_EQ(s.FloodProtDelay, 15);
    EXPECT_EQ(read.ServerNameEntries.size(), 7u);
    EXPECT_EQ(s.PopupTable[5], "");
    // What the file does not carry keeps the value given before reading.
    EXPECT_EQ(s.HostName, "default");
    EXPECT_EQ(s.versionstr, Settings{}.versionstr);
}

TEST(PrefsFile, FlagIsTrueOnlyForTheValueOne) {
    const struct {
        std::string line;
        bool expected;
    } cases[] = {
        {"1", true},  {" 1", true},   {"1.0", true}, {"1 and more", true},
        {"0", false}, {"2", false},   {"-1", false}, {"yes", false},
        {"", false},  {"1.5", false}, {" 0", false},
    };
    for (const auto& c : cases) {
        const PrefsReadResult read = Read(NewFileWith(8, c.line));
        ASSERT_TRUE(read.Ok()) << c.line;
        EXPECT_EQ(read.settings.ClientW, c.expected) << '"' << c.line << '"';
    }
}

TEST(PrefsFile, NumberIsItsLeadingValueRoundedHalfToEven) {
    const struct {
        std::string line;
        int expected;
    } cases[] = {
        {" 15", 15},        {"15x", 15},          {"2.5", 2},  {"3.5", 4},
        {"-2.5", -2},       {"word", 0},          {"", 0},     {"32767", 32767},
        {"-32768", -32768}, {"-32768.5", -32768}, {"  +7", 7},
    };
    for (const auto& c : cases) {
        const PrefsReadResult read = Read(NewFileWith(31, c.line));
        ASSERT_TRUE(read.Ok()) << c.line << ": " << read.Failure;
        EXPECT_EQ(read.settings.FloodProtDelay, c.expected) << '"' << c.line << '"';
    }
}

TEST(PrefsFile, FaultyFilesStopWithTheirErrorNumber) {
    std::vector<std::string> lines = NewFileLines();

    std::vector<std::string> tooManyAliases(lines.begin(), lines.begin() + 50);
    tooManyAliases.push_back("52");
    tooManyAliases.insert(tooManyAliases.end(), 52, "x");

    std::vector<std::string> longCountShortFile(lines.begin(), lines.begin() + 42);
    longCountShortFile.push_back("60");
    longCountShortFile.insert(longCountShortFile.end(), 10, "x");

    std::vector<std::string> tooManyPopups = lines;
    tooManyPopups.at(56) = "32";
    tooManyPopups.insert(tooManyPopups.end(), 30, "x");

    const struct {
        const char* name;
        std::string file;
        int error;
        int line;
    } cases[] = {
        {"empty file", "", kErrInputPastEndOfFile, 1},
        {"alias count beyond 51 slots", Join(tooManyAliases), kErrSubscriptOutOfRange, 103},
        {"popup count beyond 31 slots", Join(tooManyPopups), kErrSubscriptOutOfRange, 89},
        {"file ends before the count is used up", Join(longCountShortFile), kErrInputPastEndOfFile,
         54},
        {"number above 16 bits", NewFileWith(29, "32768"), kErrOverflow, 29},
        {"number rounding above 16 bits", NewFileWith(30, "32767.5"), kErrOverflow, 30},
        {"number below 16 bits", NewFileWith(31, "-40000"), kErrOverflow, 31},
        {"count above 16 bits", NewFileWith(43, "99999"), kErrOverflow, 43},
        {"line over 64 KiB", NewFileWith(32, std::string(kMaxPrefsLineBytes + 1, 'T')),
         kErrOutOfMemory, 32},
        {"server list over its entries", NewFileWith(13, ManyEntries(kMaxPrefsListEntries + 1)),
         kErrOutOfMemory, 13},
        {"ignore list over its entries", NewFileWith(18, ManyEntries(kMaxPrefsListEntries + 1)),
         kErrOutOfMemory, 18},
    };
    for (const auto& c : cases) {
        const PrefsReadResult read = Read(c.file);
        EXPECT_EQ(read.ErrorNumber, c.error) << c.name << ": " << read.Failure;
        EXPECT_EQ(read.FailureLine, c.line) << c.name;
        EXPECT_FALSE(read.Failure.empty()) << c.name;
    }
}

TEST(PrefsFile, CountOfZeroOrLessReadsNoEntry) {
    for (const std::string count : {"0", "-3"}) {
        std::vector<std::string> lines = NewFileLines();
        lines.erase(lines.begin() + 43, lines.begin() + 48); // the five command lines
        lines.at(42) = count;
        const PrefsReadResult read = Read(Join(lines));
        ASSERT_TRUE(read.Ok()) << read.Failure;
        EXPECT_EQ(read.settings.ExecOnConnect[0], "");
        EXPECT_EQ(read.settings.AliasTable[0], "HOP /part $chan | /join $chan");
    }
}

TEST(PrefsFile, OnlyCarriageReturnEndsALine) {
    const PrefsReadResult crOnly = Read(Join(NewFileLines(), "\r"));
    ASSERT_TRUE(crOnly.Ok()) << crOnly.Failure;
    EXPECT_EQ(crOnly.settings.PopupTable[4], Read(DefaultPrefsFile(kStamp)).settings.PopupTable[4]);

    // A lone LF is text; one LF after a CR belongs to the line end, a second one does not.
    std::string file = NewFileWith(4, "ni\nck");
    file.replace(file.find("_NoNick_\r\n"), 10, "_NoNick_\r\n\n");
    const PrefsReadResult read = Read(file);
    ASSERT_TRUE(read.Ok()) << read.Failure;
    EXPECT_EQ(read.settings.NickName, "ni\nck");
    EXPECT_EQ(read.settings.RealName, "\n--=== KorBi Beta Tester ===--");

    EXPECT_EQ(Read(Join(NewFileLines(), "\n")).ErrorNumber, kErrInputPastEndOfFile);
}

TEST(PrefsFile, SaveAfterLoadDiffersFromANewFileOnlyWhereExpected) {
    const PrefsReadResult read = Read(DefaultPrefsFile(kStamp));
    ASSERT_TRUE(read.Ok());
    const std::vector<std::string> saved = CrLfLines(RewrittenPrefsFile(read.settings));

    std::vector<std::string> expected = NewFileLines();
    expected[1] = "";
    expected[15] = "[People (notify list)]";
    for (const std::size_t flagLine : {8, 9, 10, 24, 25, 26, 27, 28, 33, 40}) {
        expected[flagLine - 1] = " " + expected[flagLine - 1];
    }
    for (const std::size_t numberLine : {29, 30, 31, 43, 51}) {
        expected[numberLine - 1] = " " + expected[numberLine - 1];
    }
    expected[56] = " 6"; // five popups and their end entry; the last of two empty lines goes
    EXPECT_EQ(saved, expected);

    // The rewritten file reads back to the same values and rewrites to itself.
    const PrefsReadResult again = Read(Join(saved));
    ASSERT_TRUE(again.Ok()) << again.Failure;
    EXPECT_EQ(again.ServerNameEntries, read.ServerNameEntries);
    EXPECT_EQ(RewrittenPrefsFile(again.settings), Join(saved));
}

// A line break inside a value would shift every later line; a table ends at its first empty
// slot, and an empty table is its end entry alone.
TEST(PrefsFile, WriterKeepsEveryValueOnItsOwnLineAndEndsTablesAtTheirFirstEmptySlot) {
    Settings settings;
    settings.NickName = "two\r\nlines";
    settings.TitleBarText = "a\nb";
    settings.ExecOnConnect[0] = "/join #a\rb";
    settings.ExecOnConnect[2] = "/join #lost";
    settings.Font2Use = 40000;
    settings.NickStyle = -2;
    const std::vector<std::string> lines = CrLfLines(RewrittenPrefsFile(settings));
    EXPECT_EQ(lines.at(3), "two  lines");
    EXPECT_EQ(lines.at(31), "a b");
    EXPECT_EQ(lines.at(28), " 32767"); // held to what the reader accepts back
    EXPECT_EQ(lines.at(29), "-2");
    const std::vector<std::string> execPart(lines.begin() + 42, lines.begin() + 47);
    EXPECT_EQ(execPart, (std::vector<std::string>{" 2", "/join #a b", "", "", "[Aliases]"}));
    EXPECT_EQ(lines.at(47), " 1");
    const PrefsReadResult read = Read(Join(lines));
    ASSERT_TRUE(read.Ok()) << read.Failure;
    EXPECT_EQ(read.settings.ExecOnConnect[0], "/join #a b");
    EXPECT_EQ(read.settings.MailServer, settings.MailServer);
}

TEST(PrefsFile, FullTablesAreWrittenWhole) {
    Settings settings;
    for (std::size_t i = 0; i < settings.AliasTable.size(); ++i) {
        settings.AliasTable[i] = "A" + std::to_string(i) + " /say " + std::to_string(i);
    }
    for (std::size_t i = 0; i < settings.PopupTable.size(); ++i) {
        settings.PopupTable[i] = "P" + std::to_string(i) + " /say x";
    }
    const std::string file = RewrittenPrefsFile(settings);
    EXPECT_NE(file.find("[Aliases]\r\n 51\r\nA0 /say 0\r\n"), std::string::npos);
    EXPECT_NE(file.find("[PopUps]\r\n 31\r\n"), std::string::npos);
    const PrefsReadResult read = Read(file);
    ASSERT_TRUE(read.Ok()) << read.Failure;
    EXPECT_EQ(read.settings.AliasTable, settings.AliasTable);
    EXPECT_EQ(read.settings.PopupTable, settings.PopupTable);
}

// The server box's text is line 13 of the next file: what a user picked comes first.
TEST(PrefsFile, ServerListTextPutsTheSelectedEntryFirstAndSplitsAtEveryBlank) {
    const std::vector<std::string> abc = {"a", "b", "c"};
    const struct {
        std::vector<std::string> entries;
        int selected;
        std::string typed;
        std::string expected;
    } cases[] = {
        {abc, 0, "a", "a b c"},
        {abc, 1, "b", "b a c"},
        {abc, 2, "c", "c a b "}, // the last selected leaves a trailing blank
        {{"a"}, 0, "a", "a"},    // unless it is also the first
        {{}, -1, "irc.x.net", "irc.x.net"},
        {abc, -1, "irc.x.net", "irc.x.net a b c"}, // typed text before every entry
        {abc, 3, "x", "x a b c"},                  // an index past the list counts as none
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ServerListText(c.entries, c.selected, c.typed), c.expected) << c.expected;
    }

    // Line 13 splits at every blank; that a trailing blank survives restarts is MainFrameTest's.
    EXPECT_EQ(Read(NewFileWith(13, "a  b")).ServerNameEntries,
              (std::vector<std::string>{"a", "", "b"}));
}

TEST(PrefsFile, CreatedStampIsFixedFormat) {
    std::tm when{};
    std::istringstream("2024-01-02 09:05:03") >> std::get_time(&when, "%Y-%m-%d %H:%M:%S");
    EXPECT_EQ(CreatedTimeDate(when), "09:05:03 01-02-2024");
}

const std::string kNewFile = DefaultPrefsFile("14:03:07 05-17-2024");

TEST(ExtraSettings, RideAfterThePositionalPartAndComeBackUnchanged) {
    Settings settings = ReadPrefsFile(kNewFile, Settings()).settings;
    EXPECT_TRUE(settings.Extras.Lines().empty());
    const std::string positional = RewrittenPrefsFile(settings);

    settings.Extras.AddLine("FromANewerVersion=kept as it stands");
    settings.Extras.SetFlag("NickCompletion", false);
    settings.Extras.SetNumber("ScrollbackLines", 250);
    settings.Extras.SetValue("Highlights", "one\r\ntwo");
    const std::string file = RewrittenPrefsFile(settings);

    // The positional part stays byte for byte; the section follows it.
    ASSERT_EQ(file.substr(0, positional.size()), positional);
    EXPECT_EQ(file.substr(positional.size()),
              "[Extras]\r\nFromANewerVersion=kept as it stands\r\nNickCompletion=0\r\n"
              "ScrollbackLines=250\r\nHighlights=one  two\r\n");

    const PrefsReadResult again = ReadPrefsFile(file, Settings());
    ASSERT_TRUE(again.Ok()) << again.Failure;
    EXPECT_EQ(again.settings.Extras, settings.Extras);
    EXPECT_EQ(RewrittenPrefsFile(again.settings), file);
}

TEST(ExtraSettings, ValuesOutsideTheirRangeGiveTheDefault) {
    ExtraSettings extras;
    for (const char* line :
         {"On=1", "Off=0", "Odd=yes", "Count=70", "Big=100001", "Neg=-1", "Junk=12x", "Empty="}) {
        extras.AddLine(line);
    }
    EXPECT_TRUE(extras.Flag("On", false));
    EXPECT_FALSE(extras.Flag("Off", true));
    EXPECT_TRUE(extras.Flag("Odd", true));
    EXPECT_TRUE(extras.Flag("Missing", true));
    EXPECT_EQ(extras.Number("Count", 5, 0, 100000), 70);
    for (const char* name : {"Big", "Neg", "Junk", "Empty", "Missing"}) {
        EXPECT_EQ(extras.Number(name, 5, 0, 100000), 5) << name;
    }
    // A name is matched whole: "On" is not "Odd"'s prefix, nor "O" a name of "On=1".
    EXPECT_EQ(extras.Value("O"), std::nullopt);
    EXPECT_EQ(extras.Value("Empty"), "");
    extras.Remove("On");
    EXPECT_EQ(extras.Value("On"), std::nullopt);
}

TEST(ExtraSettings, AnOverlongLineIsADamagedFile) {
    const std::string file = kNewFile + "[Extras]\r\nA=" + std::string(70 * 1024, 'x') + "\r\n";
    const PrefsReadResult read = ReadPrefsFile(file, Settings());
    EXPECT_EQ(read.ErrorNumber, kErrOutOfMemory);
}

namespace fs = std::filesystem;

class PrefsStorage : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    const fs::path folder{dir.path().toStdString()};
    const fs::path file = folder / kPrefsFileName;
};

fs::perms Mode(const fs::path& file) {
    return fs::status(file).permissions() & fs::perms::mask;
}

constexpr fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

TEST_F(PrefsStorage, UnreadableOrUncreatableFileStopsStartUp) {
    fs::create_directory(file);
    EXPECT_EQ(LoadPrefsFile(file, Settings{}, "").read.ErrorNumber, kErrPathFileAccess);
    const fs::path noFolder = folder / "missing" / kPrefsFileName;
    const PrefsLoad load = LoadPrefsFile(noFolder, Settings{}, "");
    EXPECT_EQ(load.read.ErrorNumber, kErrPathFileAccess);
    EXPECT_FALSE(fs::exists(noFolder));
}

TEST_F(PrefsStorage, AFileLargerThanAnySettingsIsNotRead) {
    std::ofstream(file) << "x";
    fs::resize_file(file, kMaxPrefsFileBytes + 1);
    const PrefsLoad load = LoadPrefsFile(file, Settings{}, "");
    EXPECT_EQ(load.read.ErrorNumber, kErrOutOfMemory);
    EXPECT_EQ(fs::file_size(file), kMaxPrefsFileBytes + 1);
    fs::resize_file(file, kMaxPrefsFileBytes);
    EXPECT_EQ(ReadFileBytes(file).bytes.size(), kMaxPrefsFileBytes);
}

// A save that fails is MainFrameTest's (it leaves the old file and asks the user).
TEST_F(PrefsStorage, SaveReplacesTheFileReadableByItsOwnerOnly) {
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::all);
    // A leftover of an interrupted save under this process's temporary name is replaced.
    std::ofstream(TemporaryPathFor(file)) << "stale";

    Settings settings;
    settings.UserPass = "secret";
    const SaveResult saved = SavePrefsFile(file, settings);
    ASSERT_TRUE(saved.ok) << saved.failure;
    EXPECT_EQ(ReadBytes(file), RewrittenPrefsFile(settings));
    EXPECT_EQ(Mode(file), kOwnerOnly);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

} // namespace
} // namespace korbi::core
