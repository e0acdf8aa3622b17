#include "media/artwork_seed.h"

#include "media/artwork.h"
#include "media/bmp_file.h"
#include "support/files.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace korbi::media {
namespace {

namespace fs = std::filesystem;
using korbi::testing::ReadBytes;
using korbi::testing::U32At;
using korbi::testing::WriteBytes;

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

QImage ReadBmp(const std::string& bytes) {
    return QImage::fromData(QByteArray::fromStdString(bytes), "BMP");
}

TEST(BmpFileTest, RowsArePaddedBottomUpInBlueGreenRedOrder) {
    // 3 x 2: each row takes 9 bytes and is padded to 12.
    const std::vector<std::uint32_t> pixels{0xFF0000, 0x00FF00, 0x0000FF,
                                            0x123456, 0xFFFFFF, 0x000000};
    const std::string bmp = EncodeBmp24(3, 2, pixels);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(U32At(bmp, 2), bmp.size());
    EXPECT_EQ(U32At(bmp, 10), 54u) << "pixel data offset";
    EXPECT_EQ(U32At(bmp, 14), 40u) << "info header size";
    EXPECT_EQ(U32At(bmp, 18), 3u);
    EXPECT_EQ(U32At(bmp, 22), 2u);
    EXPECT_EQ(static_cast<std::uint8_t>(bmp[28]), 24) << "bits per pixel";
    EXPECT_EQ(U32At(bmp, 30), 0u) << "uncompressed";
    EXPECT_EQ(U32At(bmp, 34), 24u) << "image size";
    // The bottom row (0x123456, white, black) comes first.
    EXPECT_EQ(bmp.substr(54, 12), std::string("\x56\x34\x12\xFF\xFF\xFF\0\0\0\0\0\0", 12));
    EXPECT_EQ(bmp.substr(66, 12), std::string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0", 12));

    EXPECT_TRUE(EncodeBmp24(0, 5, {}).empty());
    EXPECT_TRUE(EncodeBmp24(5, -1, {}).empty());

    // A picture's transparency becomes white.
    QImage clear(2, 1, QImage::Format_ARGB32);
    clear.setPixel(0, 0, qRgba(0, 0, 0, 0));
    clear.setPixel(1, 0, qRgba(200, 0, 0, 255));
    const QImage white = ReadBmp(BmpFileBytes(clear));
    EXPECT_EQ(white.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(white.pixel(1, 0), qRgb(200, 0, 0));
}

class SeedTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    fs::path Folder() const { return fs::path(m_dir.path().toStdString()); }

    QTemporaryDir m_dir;
};

TEST_F(SeedTest, EmptyProgramFolderGetsEveryShippedFileOnce) {
    const SeedResult result = SeedArtwork(Folder());
    EXPECT_TRUE(result.failed.empty());
    const std::vector<ShippedFile> shipped = ShippedFiles();
    EXPECT_EQ(result.written.size(), shipped.size());
    EXPECT_EQ(Names(Folder()), (std::set<std::string>{"PICTS", "SOUNDS"}));

    for (const ShippedFile& file : shipped) {
        EXPECT_EQ(ReadBytes(Folder() / file.folder / file.fileName), file.bytes) << file.fileName;
    }
    for (const EventPictureInfo& info : EventPictures()) {
        const QImage read = ReadBmp(ReadBytes(Folder() / "PICTS" / std::string(info.fileName)));
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), EventPicture(info.pict)) << info.name;
    }
    for (const char* sound : {"HORN.WAV", "NONE.WAV"}) {
        const std::string wave = ReadBytes(Folder() / "SOUNDS" / sound);
        ASSERT_GT(wave.size(), 44u) << sound;
        EXPECT_EQ(wave.substr(0, 4), "RIFF") << sound;
        EXPECT_EQ(U32At(wave, 4), wave.size() - 8) << sound;
    }

    // A second run writes nothing.
    WriteBytes(Folder() / "PICTS" / "EVJOIN.BMP", "edited");
    const SeedResult again = SeedArtwork(Folder());
    EXPECT_TRUE(again.written.empty());
    EXPECT_TRUE(again.failed.empty());
    EXPECT_EQ(ReadBytes(Folder() / "PICTS" / "EVJOIN.BMP"), "edited");
}

TEST_F(SeedTest, CaseVariantsOfFoldersAndFilesAreTheUsersOwn) {
    fs::create_directory(Folder() / "picts");
    fs::create_directory(Folder() / "Sounds");
    WriteBytes(Folder() / "picts" / "evjoin.bmp", "my join picture");
    WriteBytes(Folder() / "picts" / "ErrorMsg.Bmp", "my error picture");
    WriteBytes(Folder() / "Sounds" / "horn.wav", "my horn");

    const SeedResult result = SeedArtwork(Folder());
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(result.written.size(), ShippedFiles().size() - 3);
    EXPECT_EQ(Names(Folder()), (std::set<std::string>{"Sounds", "picts"}))
        << "no second folder in another spelling";

    EXPECT_EQ(ReadBytes(Folder() / "picts" / "evjoin.bmp"), "my join picture");
    EXPECT_EQ(ReadBytes(Folder() / "picts" / "ErrorMsg.Bmp"), "my error picture");
    EXPECT_EQ(ReadBytes(Folder() / "Sounds" / "horn.wav"), "my horn");
    const std::set<std::string> pictures = Names(Folder() / "picts");
    EXPECT_EQ(pictures.count("EVJOIN.BMP") + pictures.count("ERRORMSG.BMP"), 0u);
    EXPECT_EQ(pictures.count("EVPART.BMP"), 1u);
    EXPECT_EQ(Names(Folder() / "Sounds"), (std::set<std::string>{"NONE.WAV", "horn.wav"}));
}

TEST_F(SeedTest, AFolderNameTakenByAFileOrAMissingProgramFolderFails) {
    WriteBytes(Folder() / "Picts", "not a folder");
    const SeedResult result = SeedArtwork(Folder());
    EXPECT_EQ(result.failed.size(), EventPictures().size());
    EXPECT_EQ(result.written.size(), 2u) << "the sounds are still written";
    EXPECT_EQ(ReadBytes(Folder() / "Picts"), "not a folder");
    EXPECT_FALSE(fs::exists(Folder() / "PICTS"));

    // A missing program folder fails without being created.
    const fs::path missing = Folder() / "gone";
    const SeedResult none = SeedArtwork(missing);
    EXPECT_TRUE(none.written.empty());
    EXPECT_EQ(none.failed.size(), ShippedFiles().size());
    EXPECT_FALSE(fs::exists(missing));
}

} // namespace
} // namespace korbi::media
