#pragma once
// Word wrapping of a printed text to the width of its view. The width of text is measured by
// the caller's measure (the view's fonts, formatting codes included); here is only the rule
// of where lines break.
#include <string>
#include <string_view>
#include <vector>

namespace korbi::irc {

// The width of a line as it grows piece by piece from its start. Pieces never split a word,
// so a measure may carry the style of the codes it has read from one piece to the next.
class LineMeasure {
  public:
    virtual ~LineMeasure() = default;
    // A new line: nothing measured yet, every style off.
    virtual void Start() = 0;
    // Appends piece to the line and returns the width of the whole line so far.
    virtual double Add(std::string_view piece) = 0;
};

// The width of text as one line.
double TextWidth(LineMeasure& measure, std::string_view text);

// The lines text is printed as. A text not wider than innerWidth stays one line, as it is.
// A wider text breaks between blank-separated words: a line takes words while the line and
// the next word still fit, a word wider than the view stands alone unbroken, and every line
// ends with a blank.
std::vector<std::string> WrapText(const std::string& text, double innerWidth, LineMeasure& measure);

} // namespace korbi::irc
