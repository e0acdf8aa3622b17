#pragma once
// The main frame's title, also shown at once by the preferences dialog when the text changes.
#include <QString>

#include <string>

namespace korbi::ui {

inline constexpr const char* kFrameTitle = "KorBi iRC Client 1.0B4";

// kFrameTitle alone for an empty TitleBarText, else the text, " - " and kFrameTitle.
QString FrameTitle(const std::string& TitleBarText);

} // namespace korbi::ui
