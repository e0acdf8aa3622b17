#include "prefs/prefs_dialog.h"

#include "core/extra_settings.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korbi::prefs {
namespace {

// A user who never touches the box leaves no line for it in the preferences file.
TEST(CloseToTrayBox, SetsTheExtraSettingOnlyWhenChanged) {
    core::Settings settings;
    PrefsDialog dialog(settings);
    auto* box = dialog.findChild<QCheckBox*>("CloseToTray");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isChecked());
    dialog.findChild<QPushButton*>("Command2")->click();
    EXPECT_TRUE(settings.Extras.Lines().empty());

    dialog.Form_Load();
    box->setChecked(true);
    dialog.findChild<QPushButton*>("Command2")->click();
    EXPECT_TRUE(settings.Extras.Flag(core::kCloseToTray, false));
    dialog.Form_Load();
    EXPECT_TRUE(box->isChecked());
}

} // namespace
} // namespace korbi::prefs
