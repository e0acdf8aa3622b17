#include "panes/text_metrics.h"

#include <QByteArrayView>

namespace korbi::panes {

namespace {

constexpr int kPointSize = 9;

QFont ViewFont(const QString& family, bool bold, bool italic) {
    QFont font(family, kPointSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setKerning(false);
    return font;
}

} // namespace

TextMetrics::Face::Face(const QFont& face)
    : font(face), metrics(face), advances(kCachedChars, -1.0) {}

TextMetrics::TextMetrics() {
    SetFamily("Arial");
}

void TextMetrics::SetFamily(const QString& family) {
    m_faces.clear();
    for (const bool italic : {false, true}) {
        for (const bool bold : {false, true}) {
            m_faces.emplace_back(ViewFont(family, bold, italic));
        }
    }
}

bool TextMetrics::UseFont(int font2Use) {
    static const char* const kFamilies[] = {"Arial", "Courier New", "FixedSys"};
    if (font2Use < 0 || font2Use > 2 || m_faces[0].font.family() == kFamilies[font2Use]) {
        return false;
    }
    SetFamily(kFamilies[font2Use]);
    return true;
}

QFont TextMetrics::Font(const irc::TextStyle& style) const {
    QFont font =
        m_faces[static_cast<std::size_t>((style.bold ? 1 : 0) + (style.italic ? 2 : 0))].font;
    font.setUnderline(style.underline);
    return font;
}

TextMetrics::Face& TextMetrics::FaceOf(const irc::TextStyle& style) {
    return m_faces[static_cast<std::size_t>((style.bold ? 1 : 0) + (style.italic ? 2 : 0))];
}

double TextMetrics::Advance(Face& face, char16_t ch) {
    double& advance = face.advances[ch];
    if (advance < 0) {
        advance = face.metrics.horizontalAdvance(QChar(ch));
    }
    return advance;
}

double TextMetrics::RunWidth(std::string_view bytes, bool utf8, const irc::TextStyle& style) {
    // Every word of every printed line comes here while it is wrapped: one pass over the bytes,
    // the cached advance read in place, and only a character not measured yet costs a call.
    Face& face = FaceOf(style);
    double width = 0;
    for (const char c : bytes) {
        const auto ch = static_cast<unsigned char>(c);
        if (utf8 && ch >= 0x80) {
            return RunWidth(DecodeRun(bytes, true), style);
        }
        const double advance = face.advances[ch];
        width += advance >= 0 ? advance : Advance(face, ch);
    }
    return width;
}

double TextMetrics::RunWidth(const QString& text, const irc::TextStyle& style) {
    Face& face = FaceOf(style);
    double width = 0;
    for (const QChar ch : text) {
        if (ch.unicode() >= kCachedChars) {
            return face.metrics.horizontalAdvance(text);
        }
        width += Advance(face, ch.unicode());
    }
    return width;
}

void ViewLineMeasure::Start() {
    m_style = {};
    m_width = 0;
}

double ViewLineMeasure::Add(std::string_view piece) {
    irc::ScanCodes(piece, m_style, [&](std::string_view run, const irc::TextStyle& style) {
        m_width += m_metrics.RunWidth(run, m_utf8, style);
    });
    return m_width;
}

bool IsUtf8Text(std::string_view bytes) {
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())).isValidUtf8();
}

QString DecodeRun(std::string_view run, bool utf8) {
    const auto size = static_cast<qsizetype>(run.size());
    return utf8 ? QString::fromUtf8(run.data(), size) : QString::fromLatin1(run.data(), size);
}

} // namespace korbi::panes
