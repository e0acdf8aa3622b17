#include "core/alerts.h"

#include "core/reading_settings.h"
#include "support/fake_roles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace korbi::core {
namespace {

using Texts = std::vector<std::string>;

struct Scene {
    testing::FakeNotifier notifier;
    testing::FakeMedia media;
    testing::FakeSettings config;
    std::int64_t now = 1000;
    Alerts alerts{notifier, media, config, [this] { return now; }};
};

// A flood of mentions in one pane raises one notification and one sound; the pane may raise
// another once it has been quiet for ten seconds, and other panes are not held back by it.
TEST(Alerts, AtMostOneNotificationPerPaneInTenSeconds) {
    Scene s;
    s.config.settingsValue.Extras.SetValue(kHighlightSound, "/snd/ping.wav");
    for (int k = 0; k < 100; ++k) {
        s.alerts.Alert(AlertEvent::Highlight, "#c", "#c", "bob -> joe! " + std::to_string(k));
        s.now += 50;
    }
    s.alerts.Alert(AlertEvent::Highlight, "#d", "#D", "ann -> joe");
    s.alerts.Alert(AlertEvent::Highlight, "#c", "#C", "bob -> still within");
    s.now = 1000 + NotificationGate::kQuietMs;
    s.alerts.Alert(AlertEvent::Highlight, "#c", "#c", "bob -> \x02later\x02");
    EXPECT_EQ(s.notifier.notifications,
              (Texts{"#c|#c|bob -> joe! 0", "#d|#D|ann -> joe", "#c|#c|bob -> later"}));
    EXPECT_EQ(s.media.sounds, Texts(3, "/snd/ping.wav"));
}

// Nothing while the user is looking; then each event plays its own sound, none by default.
TEST(Alerts, EachEventHasItsSoundAndNothingComesWhileTheFrameIsActive) {
    Scene s;
    ExtraSettings& extras = s.config.settingsValue.Extras;
    extras.SetValue(kPrivateSound, "p.wav");
    extras.SetValue(kNotifySound, "n.wav");
    s.config.flagsValue.IsActive = true;
    s.alerts.Alert(AlertEvent::Private, "ann", "ann", "hi");
    EXPECT_TRUE(s.notifier.notifications.empty());

    s.config.flagsValue.IsActive = false;
    s.alerts.Alert(AlertEvent::Private, "ann", "ann", "hi");
    s.alerts.Alert(AlertEvent::NotifyArrival, "#c", "carl", "carl is on IRC");
    s.alerts.Alert(AlertEvent::Highlight, "#c", "#c", "x");
    EXPECT_EQ(s.notifier.notifications.size(), 3u);
    EXPECT_EQ(s.media.sounds, (Texts{"p.wav", "n.wav"}));
}

TEST(Alerts, TheGateForgetsOldKeysButNotRecentOnes) {
    NotificationGate gate;
    for (int k = 0; k < 200; ++k) {
        EXPECT_TRUE(gate.Allow("nick" + std::to_string(k), k));
    }
    EXPECT_FALSE(gate.Allow("NICK199", 300)) << "still quiet however many keys came since";
    EXPECT_TRUE(gate.Allow("nick0", NotificationGate::kQuietMs));
}

} // namespace
} // namespace korbi::core
