#include "irc/word_wrap.h"

#include "platform/text_values.h"

namespace korbi::irc {

double TextWidth(LineMeasure& measure, std::string_view text) {
    measure.Start();
    return measure.Add(text);
}

std::vector<std::string> WrapText(const std::string& text, double innerWidth,
                                  LineMeasure& measure) {
    if (TextWidth(measure, text) <= innerWidth) {
        return {text};
    }
    // The line plus the next word is always the line's text followed by that word, so the
    // measure grows word by word instead of measuring every candidate from its start.
    const std::vector<std::string_view> words = platform::SplitAtBlanks(text);
    std::vector<std::string> lines;
    std::string line;
    measure.Start();
    bool wordMeasured = false;
    for (std::size_t w = 0; w < words.size(); ++w) {
        if (!wordMeasured) {
            measure.Add(words[w]);
        }
        measure.Add(" ");
        line.append(words[w]).push_back(' ');
        wordMeasured = false;
        if (w + 1 == words.size()) {
            break;
        }
        if (measure.Add(words[w + 1]) > innerWidth) {
            lines.push_back(std::move(line));
            line.clear();
            measure.Start();
        } else {
            wordMeasured = true;
        }
    }
    if (!line.empty()) {
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace korbi::irc
