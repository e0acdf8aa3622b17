#include "core/prefs_storage.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>

namespace korbi::core {
namespace {
namespace fs = std::filesystem;
using korbi::testing::ReadBytes;

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
