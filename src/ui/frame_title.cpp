#include "ui/frame_title.h"

#include "platform/text_encoding.h"

namespace korbi::ui {

QString FrameTitle(const std::string& TitleBarText, bool secure) {
    const QString mark = secure ? kSecureMark : "";
    if (TitleBarText.empty()) {
        return kFrameTitle + mark;
    }
    return platform::BytesToScreen(TitleBarText) + " - " + kFrameTitle + mark;
}

} // namespace korbi::ui
