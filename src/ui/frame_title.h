#pragma once
// The main frame's title, also shown at once by the preferences dialog when the text changes.
#include <QString>

#include <string>

namespace korbi::ui {

inline constexpr const char* kFrameTitle = "KorBi iRC Client 1.0B4";

// kFrameTitle alone for an empty TitleBarText, else the text, " - " and kFrameTitle; while the
// connection to the server is encrypted, kSecureMark follows.
inline constexpr const char* kSecureMark = " [TLS]";
QString FrameTitle(const std::string& TitleBarText, bool secure = false);

} // namespace korbi::ui
