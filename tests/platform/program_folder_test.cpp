#include "platform/program_folder.h"

#include <QTemporaryDir>

#include <fstream>
#include <gtest/gtest.h>

namespace korbi::platform {
namespace {
namespace fs = std::filesystem;

TEST(ProgramFolder, ResolvesEachComponentWithoutRegardToCase) {
    QTemporaryDir dir;
    const ProgramFolder folder(fs::path(dir.path().toStdString()));
    fs::create_directory(folder.Root() / "PICTS");
    std::ofstream(folder.Root() / "PICTS" / "evpicerr.bmp") << "x";

    EXPECT_EQ(folder.Resolve("picts\\EVPICERR.BMP"), folder.Root() / "PICTS" / "evpicerr.bmp");
    EXPECT_EQ(folder.Resolve("PICTS/evpicerr.bmp"), folder.Root() / "PICTS" / "evpicerr.bmp");
    EXPECT_TRUE(folder.Exists("Picts\\EvPicErr.Bmp"));
    // A file that does not exist yet keeps the given spelling inside the matched folder.
    EXPECT_EQ(folder.Resolve("picts\\New.BMP"), folder.Root() / "PICTS" / "New.BMP");
}

TEST(ProgramFolder, NeverLeavesTheProgramFolder) {
    QTemporaryDir dir;
    const ProgramFolder folder(fs::path(dir.path().toStdString()));
    EXPECT_EQ(folder.Resolve("..\\..\\etc\\passwd"), folder.Root() / "etc" / "passwd");
    EXPECT_EQ(folder.Resolve("/etc/passwd"), folder.Root() / "etc" / "passwd");
    EXPECT_EQ(folder.Resolve("LOGS\\.\\x.LOG"), folder.Root() / "LOGS" / "x.LOG");
}

TEST(ProgramFolder, MakeDirIfNotExistKeepsAnExistingCaseVariant) {
    QTemporaryDir dir;
    const ProgramFolder folder(fs::path(dir.path().toStdString()));
    fs::create_directory(folder.Root() / "logs");
    folder.MakeDirIfNotExist("LOGS");
    folder.MakeDirIfNotExist("SOUNDS");
    EXPECT_FALSE(fs::exists(folder.Root() / "LOGS"));
    EXPECT_TRUE(fs::is_directory(folder.Root() / "SOUNDS"));
}

TEST(SafeNames, BareFileNamesAndLogNames) {
    EXPECT_TRUE(IsBareFileName("cat.BMP"));
    EXPECT_TRUE(IsBareFileName("my pict.bmp"));
    EXPECT_TRUE(IsBareFileName("Mon chat \xc3\xa9t\xc3\xa9"));
    for (const char* bad : {"", ".", "..", "..\\x", "a/b", "/etc/passwd", "PICTS\\cat.bmp", "a\nb",
                            "a..b", "a\x7f"}) {
        EXPECT_FALSE(IsBareFileName(bad)) << bad;
    }
    EXPECT_EQ(SafeFileName("#korbi"), "#korbi");
    EXPECT_EQ(SafeFileName("../../x"), ".._.._x");
    EXPECT_EQ(SafeFileName("a\\b:c"), "a_b_c");
    EXPECT_EQ(SafeFileName(".."), "_");
    EXPECT_EQ(SafeFileName(std::string("a\0b", 3)), "a_b");
}

} // namespace
} // namespace korbi::platform
