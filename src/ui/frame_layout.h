#pragma once
// Where the main frame puts its two windows, in twips (15 to the pixel). The same numbers serve
// the first placing at start-up and every resize after it.
namespace korbi::ui {

inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    return twips / kTwipsPerPixel;
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// The layout numbers leave room for the frame's own border, caption and menu bar, which the
// frame size they start from includes. The toolkit hands us the client area directly, so the
// frame size is the client area plus these margins.
inline constexpr int kFrameSideMargin = 200;
inline constexpr int kFrameTopBottomMargin = 760;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipsRect&) const = default;
};

struct TwipsPoint {
    int left = 0;
    int top = 0;

    bool operator==(const TwipsPoint&) const = default;
};

struct FrameLayout {
    TwipsRect serverWindow;       // height unchanged: the server window keeps its own
    TwipsRect conversationWindow; // the rest of the frame below the server window
    TwipsPoint MailNotify;        // inside the server window
    TwipsPoint PicServNotify;     // inside the server window
};

struct FrameSizes {
    int frameWidth = 0; // the frame's outer size
    int frameHeight = 0;
    int serverHeight = 0; // the server window's outer height
    // What the server window's border and caption take from its outer size; its indicators are
    // placed from the bottom right of its inside.
    int serverBorderWidth = 0;
    int serverBorderHeight = 0;
};

// Sizes never come out negative, so a tiny frame squeezes the windows instead of inverting them.
FrameLayout ComputeFrameLayout(const FrameSizes& sizes);

} // namespace korbi::ui
