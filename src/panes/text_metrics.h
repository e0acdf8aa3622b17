#pragma once
// The fonts of the text views and the width of printed text in them. Widths are summed from
// cached character advances (kerning off, so drawn text matches), which keeps measuring a line
// cheap enough to wrap every printed line of a flood.
#include "irc/formatting_codes.h"
#include "irc/word_wrap.h"

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <array>
#include <string_view>
#include <vector>

namespace korbi::panes {

class TextMetrics {
  public:
    TextMetrics();

    // The font chosen by the setting Font2Use: 0 "Arial", 1 "Courier New", 2 "FixedSys"; any
    // other value keeps the font. Returns whether the font changed.
    bool UseFont(int font2Use);
    QString Family() const { return m_faces[0].font.family(); }

    QFont Font(const irc::TextStyle& style) const;
    double Ascent() const { return m_faces[0].metrics.ascent(); }

    // Width of a run of printable bytes, decoded as UTF-8 or as Latin-1.
    double RunWidth(std::string_view bytes, bool utf8, const irc::TextStyle& style);
    double RunWidth(const QString& text, const irc::TextStyle& style);

  private:
    // The advances of characters up to U+02FF are cached; beyond them (combining marks,
    // other scripts, surrogates) a run is measured whole.
    static constexpr int kCachedChars = 0x300;
    struct Face {
        explicit Face(const QFont& font);
        QFont font;
        QFontMetricsF metrics;
        std::vector<double> advances; // negative: not measured yet
    };

    void SetFamily(const QString& family);
    Face& FaceOf(const irc::TextStyle& style);
    double Advance(Face& face, char16_t ch);

    std::vector<Face> m_faces; // plain, bold, italic, bold italic
};

// The width of a line as the view draws it, codes read as the line goes.
class ViewLineMeasure : public irc::LineMeasure {
  public:
    ViewLineMeasure(TextMetrics& metrics, bool utf8) : m_metrics(metrics), m_utf8(utf8) {}
    void Start() override;
    double Add(std::string_view piece) override;

  private:
    TextMetrics& m_metrics;
    bool m_utf8;
    irc::TextStyle m_style;
    double m_width = 0;
};

// How the bytes of a line become screen text: UTF-8 when they are valid UTF-8, else Latin-1.
bool IsUtf8Text(std::string_view bytes);
QString DecodeRun(std::string_view run, bool utf8);

} // namespace korbi::panes
