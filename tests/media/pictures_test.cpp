#include "media/picture_manager.h"
#include "media/pictures.h"

#include "media/artwork.h"
#include "media/artwork_seed.h"
#include "support/wait.h"
#include "support/widgets.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

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

} // namespace
} // namespace korbi::media
