#include "panes/nick_completion.h"
#include "prefs/prefs_dialog.h"

#include <QCheckBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace korbi::prefs {
namespace {

// The option is on without a line in the file, and the file gains one only when it changes.
TEST(NickCompletionOption, OkWritesTheLineOnlyWhenTheUserChangesIt) {
    core::Settings settings;
    const auto okWith = [&settings](bool checked) {
        PrefsDialog dialog(settings);
        auto* box = dialog.findChild<QCheckBox*>("NickCompletion");
        EXPECT_EQ(box->isChecked(), settings.Extras.Flag(panes::kNickCompletionSetting, true));
        box->setChecked(checked);
        dialog.findChild<QPushButton*>("Command2")->click();
        return settings.Extras.Value(panes::kNickCompletionSetting);
    };
    EXPECT_EQ(okWith(true), std::nullopt);
    EXPECT_EQ(okWith(false), "0");
    EXPECT_EQ(okWith(false), "0");
    EXPECT_EQ(okWith(true), "1");
}

} // namespace
} // namespace korbi::prefs
