#include "core/prefs_storage.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace korbi::core {
namespace {
namespace fs = std::filesystem;

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "korbi-prefs-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }

  private:
    fs::path m_path;
};

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

fs::perms Mode(const fs::path& file) {
    return fs::status(file).permissions() & fs::perms::mask;
}

constexpr fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

TEST(PrefsStorage, MissingFileIsCreatedWithDefaultsAndRead) {
    TempFolder folder;
    const fs::path file = folder.Path() / kPrefsFileName;
    int creating = 0;
    const PrefsLoad load =
        LoadPrefsFile(file, ProvisionalSettings(), "10:00:00 01-01-2024", [&] { ++creating; });
    ASSERT_TRUE(load.read.Ok()) << load.read.Failure;
    EXPECT_TRUE(load.ShouldJoin);
    EXPECT_EQ(creating, 1);
    EXPECT_EQ(Contents(file), DefaultPrefsFile("10:00:00 01-01-2024"));
    EXPECT_EQ(Mode(file), kOwnerOnly);
    EXPECT_EQ(load.read.ServerNameEntries.size(), 7u);
    EXPECT_EQ(load.read.settings.ServPort, "6660");

    const PrefsLoad second =
        LoadPrefsFile(file, ProvisionalSettings(), "later", [&] { ++creating; });
    EXPECT_TRUE(second.read.Ok());
    EXPECT_FALSE(second.ShouldJoin);
    EXPECT_EQ(creating, 1);
}

TEST(PrefsStorage, UnreadableOrUncreatableFileStopsStartUp) {
    TempFolder folder;
    fs::create_directory(folder.Path() / kPrefsFileName);
    EXPECT_EQ(LoadPrefsFile(folder.Path() / kPrefsFileName, Settings{}, "").read.ErrorNumber,
              kErrPathFileAccess);
    const fs::path noFolder = folder.Path() / "missing" / kPrefsFileName;
    const PrefsLoad load = LoadPrefsFile(noFolder, Settings{}, "");
    EXPECT_EQ(load.read.ErrorNumber, kErrPathFileAccess);
    EXPECT_FALSE(fs::exists(noFolder));
}

TEST(PrefsStorage, AFileLargerThanAnySettingsIsNotRead) {
    TempFolder folder;
    const fs::path file = folder.Path() / kPrefsFileName;
    std::ofstream(file) << "x";
    fs::resize_file(file, kMaxPrefsFileBytes + 1);
    const PrefsLoad load = LoadPrefsFile(file, Settings{}, "");
    EXPECT_EQ(load.read.ErrorNumber, kErrOutOfMemory);
    EXPECT_EQ(fs::file_size(file), kMaxPrefsFileBytes + 1);
    fs::resize_file(file, kMaxPrefsFileBytes);
    EXPECT_EQ(ReadFileBytes(file).bytes.size(), kMaxPrefsFileBytes);
}

TEST(PrefsStorage, SaveReplacesTheFileReadableByItsOwnerOnly) {
    TempFolder folder;
    const fs::path file = folder.Path() / kPrefsFileName;
    std::ofstream(file) << "old";
    fs::permissions(file, fs::perms::all);
    // A leftover of an interrupted save under this process's temporary name is replaced.
    std::ofstream(TemporaryPathFor(file)) << "stale";

    Settings settings;
    settings.UserPass = "secret";
    const SaveResult saved = SavePrefsFile(file, settings);
    ASSERT_TRUE(saved.ok) << saved.failure;
    EXPECT_EQ(Contents(file), RewrittenPrefsFile(settings));
    EXPECT_EQ(Mode(file), kOwnerOnly);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1);
}

TEST(PrefsStorage, FailedSaveLeavesTheOldFile) {
    TempFolder folder;
    const fs::path file = folder.Path() / kPrefsFileName;
    std::ofstream(file) << "old contents";
    // Something that is not a file in place of the temporary name makes the write fail, also
    // for a user (root) whom permissions would not stop.
    const fs::path blocker = TemporaryPathFor(file);
    fs::create_directory(blocker);
    std::ofstream(blocker / "inside") << "x";

    const SaveResult saved = SavePrefsFile(file, Settings{});
    EXPECT_FALSE(saved.ok);
    EXPECT_FALSE(saved.failure.empty());
    EXPECT_EQ(Contents(file), "old contents");
    EXPECT_TRUE(fs::exists(blocker / "inside"));
}

} // namespace
} // namespace korbi::core
