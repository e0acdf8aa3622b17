#include "media/picture_manager.h"

#include "media/artwork.h"
#include "media/artwork_seed.h"
#include "media/bmp_file.h"
#include "media/pictures.h"
#include "support/files.h"
#include "support/hidpi.h"
#include "support/wait.h"
#include "support/widgets.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <optional>
#include <set>
#include <vector>

namespace korbi::media {
namespace {

namespace fs = std::filesystem;

class PictFolderTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    fs::path root{dir.path().toStdString()};
    platform::ProgramFolder folder{root};

    void SetUp() override { fs::create_directory(root / "PICTS"); }
    void Bitmap(const std::string& name, QColor colour = Qt::red) const {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        std::ofstream(root / "PICTS" / name, std::ios::binary) << BmpFileBytes(image);
    }
};

TEST_F(PictFolderTest, CheckFileExistResolvesProgramNamesAndRefusesFolders) {
    Bitmap("cat.BMP");
    // ".." never climbs out of the program folder; a full path is taken as it is.
    for (const std::string& found :
         {std::string("PICTS\\cat.BMP"), std::string("picts\\CAT.bmp"),
          std::string("..\\..\\PICTS\\cat.BMP"), (root / "PICTS" / "cat.BMP").string()}) {
        EXPECT_TRUE(CheckFileExist(folder, found)) << found;
    }
    for (const char* missing : {"PICTS\\dog.BMP", "PICTS", ""}) {
        EXPECT_FALSE(CheckFileExist(folder, missing)) << missing;
    }
}

TEST_F(PictFolderTest, ListsBitmapsOfAnyCaseSortedWithoutRegardToCase) {
    Bitmap("b.BMP");
    Bitmap("A.bmp");
    std::ofstream(root / "PICTS" / "notes.txt") << "x";
    std::ofstream(root / "PICTS" / ".bmp") << "x";
    fs::create_directory(root / "PICTS" / "folder.bmp");
    EXPECT_EQ(ListPictFiles(folder), (std::vector<std::string>{"A.bmp", "b.BMP"}));
    EXPECT_TRUE(ListPictFiles(platform::ProgramFolder(root / "missing")).empty());
}

class PictureManagerTest : public PictFolderTest {
  protected:
    std::string inputLine = "hello";
    int focused = 0;
    VisibleInputLine Input() {
        return {[this] { return inputLine; },
                [this](const std::string& text) {
                    inputLine = text;
                    ++focused;
                }};
    }
    static QStringList Shown(const PictureChooser& chooser) {
        return korbi::testing::Entries(*chooser.findChild<QListWidget*>("File1"));
    }
};

TEST_F(PictureManagerTest, SelectPutsThePictCommandBeforeTheTypedText) {
    Bitmap("apple.bmp");
    Bitmap("cat.bmp", Qt::blue);
    PictureFrame frame(folder, Input());
    ASSERT_EQ(Shown(frame.Chooser()), (QStringList{"apple.bmp", "cat.bmp"}));

    frame.findChild<QPushButton*>("Command2")
        ->click(); // nothing selected yet: the line stays as it is
    EXPECT_EQ(inputLine, "hello");

    frame.Chooser().findChild<QListWidget*>("File1")->setCurrentRow(1);
    const QImage preview = frame.Chooser().findChild<QLabel*>("Picture1")->pixmap().toImage();
    ASSERT_FALSE(preview.isNull());
    EXPECT_EQ(preview.pixelColor(0, 0), QColor(Qt::blue));

    frame.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(inputLine, "/PICT cat.bmp hello");
    EXPECT_EQ(focused, 1);
}

TEST_F(PictureManagerTest, UndockingCarriesTheChoiceAndClosingDocksAgain) {
    for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
        Bitmap(name);
    }
    QWidget server;
    auto* frame = new PictureFrame(folder, Input(), &server);
    PictureManager manager(folder, Input(), *frame);
    server.show();
    ASSERT_TRUE(frame->isVisible());

    manager.ShowManager();
    EXPECT_EQ(manager.Chooser().SelectedFile(), "b.bmp") << "position 1 at start";
    manager.close();

    frame->Chooser().SelectFile("a.bmp");
    frame->findChild<QPushButton*>("Command3")->click(); // Undock
    EXPECT_FALSE(frame->isVisible());
    ASSERT_TRUE(manager.isVisible());
    EXPECT_EQ(manager.Chooser().SelectedFile(), "a.bmp") << "the frame's choice goes along";

    manager.Chooser().findChild<QListWidget*>("File1")->setCurrentRow(2);
    // Close, as the window's close control: docked again, on the same file.
    manager.findChild<QPushButton*>("Command3")->click();
    EXPECT_FALSE(manager.isVisible());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Chooser().SelectedFile(), "c.bmp");
    manager.ShowManager(); // opens where it was closed
    EXPECT_EQ(manager.Chooser().SelectedFile(), "c.bmp");
    manager.close();

    fs::remove(root / "PICTS" / "c.bmp");
    manager.ShowManager(); // from the menu
    EXPECT_EQ(manager.Chooser().SelectedFile(), "b.bmp") << "a shorter list selects its last";

    manager.Chooser().SelectFile("a.bmp");
    manager.findChild<QPushButton*>("Command1")->click(); // Dock
    EXPECT_FALSE(manager.isVisible());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->Chooser().SelectedFile(), "a.bmp");
    EXPECT_FALSE(frame->Chooser().findChild<QLabel*>("Picture1")->pixmap().isNull());

    frame->findChild<QPushButton*>("Command3")->click();
    manager.findChild<QPushButton*>("Command2")->click(); // Select closes the window
    EXPECT_EQ(inputLine, "/PICT a.bmp hello");
    EXPECT_FALSE(manager.isVisible());
    EXPECT_TRUE(frame->isVisible());
}

TEST_F(PictureManagerTest, ListFollowsTheFolder) {
    Bitmap("a.bmp");
    PictureFrame frame(folder, Input());
    frame.Chooser().SelectFile("a.bmp");
    Bitmap("new.bmp");
    ASSERT_TRUE(
        korbi::testing::WaitUntil([&] { return Shown(frame.Chooser()).size() == 2; }, 3000));
    EXPECT_EQ(frame.Chooser().SelectedFile(), "a.bmp");
}

using namespace korbi::testing;

constexpr ButtonState kStates[] = {ButtonState::Flat, ButtonState::Lifted, ButtonState::Pressed,
                                   ButtonState::Disabled};

// Distinct colours among the visible pixels; a transparent background is not a colour.
std::size_t VisibleColours(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    std::set<QRgb> colours;
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(argb.pixel(x, y)) > 0) {
                colours.insert(argb.pixel(x, y));
            }
        }
    }
    return colours.size();
}

// No visible pixel with a colour: red, green and blue within a few steps of each other.
bool IsGrey(const QImage& image) {
    return CountPoints(image, 1, [](const QImage& argb, int x, int y) {
               const QRgb p = argb.pixel(x, y);
               return qAlpha(p) > 32 &&
                      (std::abs(qRed(p) - qGreen(p)) > 3 || std::abs(qGreen(p) - qBlue(p)) > 3);
           }) == 0;
}

void ExpectAllDifferent(const std::vector<QImage>& images, const char* family) {
    for (std::size_t i = 0; i < images.size(); ++i) {
        for (std::size_t j = i + 1; j < images.size(); ++j) {
            EXPECT_NE(images[i], images[j]) << family << " " << i << " looks like " << j;
        }
    }
}

void ExpectDrawn(const QImage& image, QSize size, const std::string& what) {
    ASSERT_FALSE(image.isNull()) << what;
    EXPECT_EQ(image.size(), size) << what;
    EXPECT_GE(VisibleColours(image), 2u) << what << " is blank";
}

// The table's names and file names, and the other spellings the program uses: normalised with
// the extension, lower case, and the bare name of "/pict infomark".
TEST(EventPictureTest, EveryNameTheProgramPrintsWithHasItsPictureAndNoOtherName) {
    ASSERT_EQ(EventPictures().size(), 12u);
    EXPECT_EQ(EventPictures()[static_cast<int>(EventPict::PicErr)].fileName, "evpicerr.bmp");
    std::vector<std::pair<std::string, EventPict>> found = {
        {"PICTS\\EVJOIN.BMP", EventPict::Join},      {"picts\\errormsg", EventPict::ErrorMsg},
        {"PICTS\\evpicerr.bmp", EventPict::PicErr},  {"infomark", EventPict::InfoMark},
        {"PICTS/WarnMark.Bmp", EventPict::WarnMark},
    };
    for (const EventPictureInfo& info : EventPictures()) {
        found.emplace_back(info.name, info.pict);
        found.emplace_back("PICTS\\" + std::string(info.fileName), info.pict);
    }
    for (const auto& [name, pict] : found) {
        EXPECT_EQ(FindEventPict(name), pict) << name;
        EXPECT_EQ(EventPicture(name), EventPicture(pict)) << name;
    }
    for (const char* name : {"", "PICTS\\", "PICTS\\cat.BMP", "PICTS\\EVJOINS", "LOGS\\EVJOIN",
                             "PICTS\\EVJOIN.BMP.BMP", "PICTS\\PICTS\\EVJOIN", "EVJOIN.WAV"}) {
        EXPECT_EQ(FindEventPict(name), std::nullopt) << name;
        EXPECT_TRUE(EventPicture(name).isNull()) << name;
    }
}

TEST(EventPictureTest, PicturesFitALineAreOpaqueAndDistinct) {
    std::vector<QImage> all;
    for (const EventPictureInfo& info : EventPictures()) {
        const QImage image = EventPicture(info.pict);
        ExpectDrawn(image, kEventPictureSize, std::string(info.name));
        EXPECT_FALSE(image.hasAlphaChannel()) << info.name;
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 255, 255)) << info.name << " on white";
        all.push_back(image);
    }
    ExpectAllDifferent(all, "event picture");
}

TEST(ToolButtonTest, EveryButtonHasFourDistinctLooksAtAnyPixelRatioAndNoOtherNumberAny) {
    std::vector<QImage> flat;
    for (int button = 0; button < kToolButtonCount; ++button) {
        const QSize size = button == 6 ? kServerListButtonSize : kToolButtonSize;
        EXPECT_EQ(ToolButtonSize(button), size);
        std::vector<QImage> looks;
        for (const ButtonState state : kStates) {
            const std::string what = "button " + std::to_string(button) + " state " +
                                     std::to_string(static_cast<int>(state));
            looks.push_back(ToolButtonPicture(button, state));
            ExpectDrawn(looks.back(), size, what);
            ExpectDrawnAtTwice(looks.back(), ToolButtonPicture(button, state, 2), what);
        }
        ExpectAllDifferent(looks, ("button " + std::to_string(button)).c_str());
        flat.push_back(looks[0]);

        // Light from the top left: a raised button is lit there, a pressed one is in shadow.
        EXPECT_EQ(looks[1].pixel(0, 0), qRgb(255, 255, 255)) << button;
        EXPECT_LT(qGray(looks[2].pixel(0, 0)), 100) << button;
        EXPECT_EQ(qAlpha(looks[0].pixel(0, 0)), 0) << "a flat button has no frame";
        EXPECT_TRUE(IsGrey(looks[3])) << "disabled button " << button << " has colour";
    }
    ExpectAllDifferent(flat, "flat button");
    for (const int button : {-1, kToolButtonCount}) {
        EXPECT_TRUE(ToolButtonSize(button).isEmpty());
        EXPECT_TRUE(ToolButtonPicture(button, ButtonState::Flat).isNull());
    }
}

// Each family of indicator pictures: one look per state, at 1x and 2x.
TEST(IndicatorTest, ReadWriteMailAndPictureServerStatesAreDistinctAtAnyPixelRatio) {
    const auto family = [](const char* name, int count, const auto& draw) {
        std::vector<QImage> looks;
        for (int n = 0; n < count; ++n) {
            const std::string what = name + std::string(" ") + std::to_string(n);
            looks.push_back(draw(n, 1));
            ExpectDrawn(looks.back(), kIndicatorSize, what);
            ExpectDrawnAtTwice(looks.back(), draw(n, 2), what);
        }
        ExpectAllDifferent(looks, name);
        return looks;
    };
    // The read/write frames, the last one grey: while not connected.
    const std::vector<QImage> frames =
        family("read/write frame", kReadWriteFrameCount + 1, [](int n, qreal dpr) {
            return n < kReadWriteFrameCount ? ReadWriteFrame(n, dpr) : ReadWriteDisabledFrame(dpr);
        });
    EXPECT_TRUE(IsGrey(frames.back()));
    EXPECT_TRUE(ReadWriteFrame(-1).isNull());
    EXPECT_TRUE(ReadWriteFrame(kReadWriteFrameCount).isNull());
    family("mail picture", 4,
           [](int n, qreal dpr) { return MailPicture(static_cast<MailImage>(n), dpr); });
    family("picture server picture", 4,
           [](int n, qreal dpr) { return PicServPicture(static_cast<PicServImage>(n), dpr); });

    const SmiFrames icons = MakeSmiFrames();
    ExpectDrawn(icons.DefaultIcon, kFrameIconSize, "DefaultIcon");
    ExpectDrawn(icons.NoNewIcon, kFrameIconSize, "NoNewIcon");
    ExpectDrawn(icons.NoticeIcon, kFrameIconSize, "NoticeIcon");
    ExpectAllDifferent({icons.DefaultIcon, icons.NoNewIcon, icons.NoticeIcon}, "frame icon");
    EXPECT_TRUE(IsGrey(icons.NoNewIcon)) << "the idle phase is dimmed";
    const SmiFrames twice = MakeSmiFrames(2);
    EXPECT_EQ(twice.Rotater.back(), ReadWriteFrame(kReadWriteFrameCount - 1, 2));
    EXPECT_EQ(twice.DisabFrame, ReadWriteDisabledFrame(2));
}

TEST(ApplicationIconTest, DrawsAtEverySize) {
    for (const auto& [asked, side] : std::vector<std::pair<int, int>>{
             {16, 16}, {48, 48}, {256, 256}, {0, 8}, {-5, 8}, {5000, 1024}}) {
        ExpectDrawn(ApplicationIcon(asked), QSize(side, side), "icon " + std::to_string(asked));
    }
}

TEST(ApplicationIconTest, SvgIsAWellFormedScalableDocument) {
    const std::string svg = ApplicationIconSvg();
    QXmlStreamReader reader(QByteArray::fromStdString(svg));
    int paths = 0;
    bool root = true;
    while (reader.readNext() != QXmlStreamReader::EndDocument && !reader.hasError()) {
        if (!reader.isStartElement()) {
            continue;
        }
        if (root) {
            EXPECT_EQ(reader.name(), QStringLiteral("svg"));
            EXPECT_EQ(reader.namespaceUri(), QStringLiteral("http://www.w3.org/2000/svg"));
            EXPECT_EQ(reader.attributes().value("viewBox"), QStringLiteral("0 0 32 32"));
            root = false;
        } else if (reader.name() == QStringLiteral("path")) {
            ++paths;
            const QString data = reader.attributes().value("d").toString();
            EXPECT_TRUE(data.startsWith("M ")) << data.toStdString();
            EXPECT_FALSE(data.contains(',')) << "numbers are written with a decimal point";
            EXPECT_TRUE(reader.attributes().value("fill").startsWith('#'));
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    EXPECT_GE(paths, 5);
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
    fs::path Folder() const { return fs::path(m_dir.path().toStdString()); }

    QTemporaryDir m_dir;
};

TEST_F(SeedTest, EmptyProgramFolderGetsEveryShippedFileOnce) {
    const SeedResult result = SeedArtwork(Folder());
    EXPECT_TRUE(result.failed.empty());
    const std::vector<ShippedFile> shipped = ShippedFiles();
    EXPECT_EQ(result.written.size(), shipped.size());
    EXPECT_EQ(FileNames(Folder()), (std::set<std::string>{"PICTS", "SOUNDS"}));

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
    EXPECT_EQ(FileNames(Folder()), (std::set<std::string>{"Sounds", "picts"}))
        << "no second folder in another spelling";

    EXPECT_EQ(ReadBytes(Folder() / "picts" / "evjoin.bmp"), "my join picture");
    EXPECT_EQ(ReadBytes(Folder() / "picts" / "ErrorMsg.Bmp"), "my error picture");
    EXPECT_EQ(ReadBytes(Folder() / "Sounds" / "horn.wav"), "my horn");
    const std::set<std::string> pictures = FileNames(Folder() / "picts");
    EXPECT_EQ(pictures.count("EVJOIN.BMP") + pictures.count("ERRORMSG.BMP"), 0u);
    EXPECT_EQ(pictures.count("EVPART.BMP"), 1u);
    EXPECT_EQ(FileNames(Folder() / "Sounds"), (std::set<std::string>{"NONE.WAV", "horn.wav"}));
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
