#include "ui/frame_title.h"

#include "platform/text_encoding.h"

namespace korbi::ui {

QString FrameTitle(const std::string& TitleBarText) {
    if (TitleBarText.empty()) {
        return kFrameTitle;
    }
    return platform::BytesToScreen(TitleBarText) + " - " + kFrameTitle;
}

} // namespace korbi::ui
