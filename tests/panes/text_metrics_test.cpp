#include "panes/text_metrics.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <string>

namespace korbi::panes {
namespace {

struct RunCase {
    const char* name;
    std::string bytes;
    bool utf8;
    bool bold;
};

// The width a run is wrapped by must be the width it is drawn with: Qt's measure of the same
// screen text in the same font.
TEST(TextMetrics, ARunMeasuresAsTheScreenTextItShows) {
    const RunCase cases[] = {
        {"ascii", "plain words, digits 0123", true, false},
        {"bold ascii", "plain words, digits 0123", true, true},
        {"utf-8 after ascii", "caf\xc3\xa9 au lait \xc3\xbc", true, false},
        {"latin-1 bytes", "caf\xe9 au lait \xfc", false, false},
        {"beyond the cached characters", "x \xce\xb1\xce\xb2 \xe2\x82\xac", true, false},
    };
    TextMetrics metrics;
    for (const RunCase& run : cases) {
        irc::TextStyle style;
        style.bold = run.bold;
        const QString screen = DecodeRun(run.bytes, run.utf8);
        const double expected = QFontMetricsF(metrics.Font(style)).horizontalAdvance(screen);
        // Twice: the second time from the cached advances.
        for (int pass = 0; pass < 2; ++pass) {
            EXPECT_NEAR(metrics.RunWidth(run.bytes, run.utf8, style), expected, 0.01)
                << run.name << ", pass " << pass;
        }
    }
}

} // namespace
} // namespace korbi::panes
