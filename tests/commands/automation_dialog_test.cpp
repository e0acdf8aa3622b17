#include "commands/automation_dialog.h"

#include "support/widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include <gtest/gtest.h>

namespace korbi::commands {
namespace {

using namespace korbi::testing;

class AutomationDialogTest : public ::testing::Test {
  protected:
    core::Settings settings;

    void SetUp() override {
        settings.FloodProtDelay = 3;
        settings.ExecOnConnect[0] = "/join #one";
        settings.ExecOnConnect[2] = "/join #two";
        settings.ExecOnConnect[50] = "/msg nickserv identify x";
    }
};

TEST_F(AutomationDialogTest, LoadsTheLevelAndTheNonEmptyCommandsAndCancelStoresNothing) {
    AutomationDialog dialog(settings);
    EXPECT_EQ(dialog.findChild<QSlider*>("Slider1")->value(), 3);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(),
              "Lame Flood Protection\n( 8.5 ctcps / seconds)");
    EXPECT_EQ(Entries(*dialog.findChild<QListWidget*>("List3")),
              (QStringList{"/join #one", "/join #two", "/msg nickserv identify x"}))
        << "empty slots are skipped, not the end";

    dialog.findChild<QSlider*>("Slider1")->setValue(20);
    dialog.findChild<QListWidget*>("List3")->item(0)->setSelected(true);
    dialog.findChild<QPushButton*>("RemCmd")->click();
    dialog.findChild<QPushButton*>("Command1")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings.FloodProtDelay, 3) << "Cancel stores nothing";
    EXPECT_EQ(settings.ExecOnConnect[0], "/join #one");
}

TEST_F(AutomationDialogTest, AddRemoveEnterThenOkStoresTheListFromSlotZero) {
    AutomationDialog dialog(settings);
    auto* const box = dialog.findChild<QLineEdit*>("Text2");
    Key(box, Qt::Key_B, Qt::ControlModifier);
    Key(box, Qt::Key_Tab);
    EXPECT_EQ(box->text(), QString("\x02\x16")) << "formatting keys go into the command box";
    box->setText("/mode $me +i");
    dialog.findChild<QPushButton*>("AddCmd")->click();
    EXPECT_EQ(box->text(), "/mode $me +i") << "the button keeps the text";
    box->setText("/join #two");
    Key(box, Qt::Key_Return);
    EXPECT_EQ(box->text(), "") << "Enter empties the box";
    Key(box, Qt::Key_Return);
    dialog.findChild<QPushButton*>("AddCmd")->click();
    EXPECT_EQ(dialog.findChild<QListWidget*>("List3")->count(), 5)
        << "empty text adds nothing; same commands both kept";

    korbi::testing::Select(dialog.findChild<QListWidget*>("List3"), {0, 2});
    dialog.findChild<QPushButton*>("RemCmd")->click();
    dialog.findChild<QSlider*>("Slider1")->setValue(12);
    EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(),
              "Good Flood Protection\n( 4 ctcps / seconds)")
        << "the label follows the slider";
    EXPECT_EQ(settings.ExecOnConnect[0], "/join #one") << "nothing stored before OK";

    dialog.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(settings.FloodProtDelay, 12);
    EXPECT_EQ(std::vector(settings.ExecOnConnect.begin(), settings.ExecOnConnect.begin() + 4),
              (std::vector<std::string>{"/join #two", "/mode $me +i", "/join #two", ""}));
    EXPECT_EQ(settings.ExecOnConnect[50], "");
}

TEST_F(AutomationDialogTest, TheTableNeverFillsItsLastSlot) {
    settings.ExecOnConnect.fill("/cmd");
    AutomationDialog dialog(settings);
    EXPECT_EQ(dialog.findChild<QListWidget*>("List3")->count(), 51);
    dialog.findChild<QPushButton*>("Command2")->click();
    EXPECT_EQ(settings.ExecOnConnect[49], "/cmd");
    EXPECT_EQ(settings.ExecOnConnect[50], "") << "a table ends at its first empty slot";

    AutomationDialog full(settings);
    ASSERT_EQ(full.findChild<QListWidget*>("List3")->count(), 50);
    full.findChild<QLineEdit*>("Text2")->setText("/one more");
    Key(full.findChild<QLineEdit*>("Text2"), Qt::Key_Return);
    EXPECT_EQ(full.findChild<QListWidget*>("List3")->count(), 50);
    EXPECT_EQ(full.findChild<QLineEdit*>("Text2")->text(), "/one more")
        << "a refused command is not lost";
}

} // namespace
} // namespace korbi::commands
