// Formatting codes on arbitrary text: the runs a pane paints and the text a log receives.
#include "fuzz_support.h"
#include "irc/formatting_codes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using korbi::fuzz::Require;
using namespace korbi::irc;

bool HoldsCode(std::string_view text) {
    return text.find_first_of(std::string_view{"\x02\x03\x16\x1f", 4}) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = korbi::fuzz::AsText(data, size);
    const Rgb lineColour{static_cast<std::uint8_t>(size), 7, static_cast<std::uint8_t>(size >> 8)};

    std::size_t painted = 0;
    for (const Segment& segment : ParseSegments(text, lineColour)) {
        Require(!segment.text.empty(), "a run has text");
        Require(!HoldsCode(segment.text), "a run holds no formatting code");
        Require(segment.colour == lineColour || std::find(Palette().begin(), Palette().end(),
                                                          segment.colour) != Palette().end(),
                "a run's colour is the line's or a palette colour");
        painted += segment.text.size();
    }
    Require(painted <= text.size(), "runs hold no more text than the line");

    const std::string stripped = StripCodes(text);
    Require(!HoldsCode(stripped), "stripped text holds no formatting code");
    Require(stripped.size() <= text.size(), "stripping only removes");
    Require(StripCodes(stripped) == stripped, "stripped text strips to itself");
    return 0;
}
