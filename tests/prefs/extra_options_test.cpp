#include "core/extra_settings.h"
#include "panes/nick_completion.h"
#include "prefs/prefs_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korbi::prefs {
namespace {

template <typename Widget> Widget* Find(const PrefsDialog& dialog, const char* name) {
    auto* widget = dialog.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// The options the preferences file did not have at first (the reading tab, nick completion,
// close to tray): OK without changes writes nothing, so a user who never touches them leaves
// no line for them; what the user changes is written, and only that; the dialog opened again
// shows it.
TEST(ExtraOptions, OkStoresWhatTheUserChangedAndShowsItAgain) {
    core::Settings settings;
    {
        PrefsDialog dialog(settings);
        EXPECT_EQ(Find<QSpinBox>(dialog, "ScrollbackLines")->value(), 5000);
        EXPECT_EQ(Find<QPushButton>(dialog, "HighlightColour")->text(), "#fffacd");
        EXPECT_TRUE(Find<QCheckBox>(dialog, "NickCompletion")->isChecked());
        EXPECT_FALSE(Find<QCheckBox>(dialog, "CloseToTray")->isChecked());
        Find<QPushButton>(dialog, "Command2")->click();
        EXPECT_EQ(settings.Extras.Lines(), std::vector<std::string>{});
    }
    {
        PrefsDialog dialog(settings);
        Find<QSpinBox>(dialog, "ScrollbackLines")->setValue(20000);
        Find<QCheckBox>(dialog, "TimeStamps")->setChecked(true);
        Find<QCheckBox>(dialog, "NickCompletion")->setChecked(false);
        Find<QCheckBox>(dialog, "CloseToTray")->setChecked(true);
        Find<QLineEdit>(dialog, "HighlightWords")->setText("deploy build");
        Find<QLineEdit>(dialog, "PrivateSound")->setText("/home/joe/psst.wav");
        Find<QPushButton>(dialog, "HighlightColour")->click();
        auto* chooser = Find<QColorDialog>(dialog, "HighlightColourDialog");
        ASSERT_NE(chooser, nullptr);
        chooser->setCurrentColor(QColor(1, 2, 3));
        chooser->accept();
        Find<QPushButton>(dialog, "Command2")->click();
    }
    EXPECT_EQ(
        settings.Extras.Lines(),
        (std::vector<std::string>{"NickCompletion=0", "CloseToTray=1", "ScrollbackLines=20000",
                                  "TimeStamps=1", "HighlightWords=deploy build",
                                  "HighlightColour=1,2,3", "PrivateSound=/home/joe/psst.wav"}));
    PrefsDialog dialog(settings);
    EXPECT_EQ(Find<QSpinBox>(dialog, "ScrollbackLines")->value(), 20000);
    EXPECT_FALSE(Find<QCheckBox>(dialog, "LogTimeStamps")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(dialog, "NickCompletion")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(dialog, "CloseToTray")->isChecked());
    EXPECT_EQ(Find<QLineEdit>(dialog, "PrivateSound")->text(), "/home/joe/psst.wav");
    EXPECT_EQ(Find<QPushButton>(dialog, "HighlightColour")->text(), "#010203");

    // Once written, a line follows the box both ways.
    Find<QCheckBox>(dialog, "NickCompletion")->setChecked(true);
    Find<QPushButton>(dialog, "Command2")->click();
    EXPECT_EQ(settings.Extras.Value(panes::kNickCompletionSetting), "1");
    EXPECT_TRUE(settings.Extras.Flag(core::kCloseToTray, false));
}

} // namespace
} // namespace korbi::prefs
