#include "ui/frame_layout.h"

#include <algorithm>

namespace korbi::ui {

FrameLayout ComputeFrameLayout(const FrameSizes& sizes) {
    FrameLayout layout;
    const int width = std::max(0, sizes.frameWidth - kFrameSideMargin);
    layout.serverWindow = {0, 0, width, sizes.serverHeight};

    const int innerWidth = width - sizes.serverBorderWidth;
    const int innerHeight = sizes.serverHeight - sizes.serverBorderHeight;
    layout.MailNotify = {innerWidth - 850, innerHeight - 350};
    layout.PicServNotify = {innerWidth - 500, innerHeight - 350};

    const int below = sizes.frameHeight - sizes.serverHeight - kFrameTopBottomMargin;
    layout.conversationWindow = {0, sizes.serverHeight, width, std::max(0, below)};
    return layout;
}

} // namespace korbi::ui
