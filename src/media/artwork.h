#pragma once
// Every picture the program shows of its own: event pictures beside text lines, toolbar
// buttons, the connection, mail and picture-server indicators, the frame icons and the
// application icon. All are drawn in code, so the sources hold no binary files; the event
// pictures are also written into the program folder (artwork_seed.h), where users may replace
// them.
#include <QIcon>
#include <QImage>
#include <QSize>

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korbi::media {

// Sizes in pixels; the window layout gives twips, 15 to the pixel.
inline constexpr QSize kEventPictureSize{18, 18};     // fits a 20-pixel line, text starts 25 px in
inline constexpr QSize kToolButtonSize{49, 33};       // 735 x 495 twips
inline constexpr QSize kServerListButtonSize{17, 17}; // button 6, 255 x 255 twips
inline constexpr QSize kIndicatorSize{20, 20};        // read/write, mail and picture-server images
inline constexpr QSize kFrameIconSize{32, 32};

// ---- Event pictures: opaque, on the white of the text view they are drawn into.

enum class EventPict {
    Join, // PictJoin
    Part, // PictPart
    Quit, // PictQuit
    Kick,
    Action,
    Sound,
    PicErr, // PictPicErr, also drawn when a user picture cannot be shown
    InfoMark,
    ServMsg,
    ErrorMsg,
    WarnMark,
    BetaWarn,
};

struct EventPictureInfo {
    EventPict pict;
    std::string_view name;     // the name lines are printed with, e.g. "PICTS\EVJOIN"
    std::string_view fileName; // the file the program folder holds in "PICTS"
};

// All event pictures, in the order of EventPict.
std::span<const EventPictureInfo> EventPictures();

// The event picture a name refers to: with or without the folder "PICTS\" (or "PICTS/") and
// the extension ".BMP", in any letter case ("picts\errormsg", "PICTS\evpicerr.bmp").
std::optional<EventPict> FindEventPict(std::string_view name);

// Drawn for a screen of device pixel ratio dpr, like every picture here that takes one: the
// picture keeps its size in device-independent pixels and has dpr times as many device pixels.
QImage EventPicture(EventPict pict, qreal dpr = 1);
// A null image when the name is not one of the event pictures.
QImage EventPicture(std::string_view name, qreal dpr = 1);
// A picture loaded from the file of name, made ready for a screen of device pixel ratio dpr.
// The file the program wrote for one of its event pictures, unchanged, gives that picture
// drawn anew at dpr; any other picture (a user's bitmap) is scaled smoothly.
QImage PictureForScreen(std::string_view name, const QImage& loaded, qreal dpr);

// ---- Toolbar buttons of the server window (transparent around the button).

inline constexpr int kToolButtonCount = 10;

enum class ButtonState {
    Flat,     // FlatButs: enabled, at rest
    Lifted,   // LiftButs: under the mouse
    Pressed,  // PressButs: mouse button held down
    Disabled, // DisabButs
};

// kServerListButtonSize for button 6, kToolButtonSize for the others, an empty size outside
// 0 to 9.
QSize ToolButtonSize(int button);
// Button numbers as the toolbar uses them: 0 connect, 1 disconnect, 2 personal and client
// information, 3 flood protection and autoexec, 4 friends and enemies, 5 scripts, 6 server list,
// 7 aliases and popups, 8 DCC, 9 misc preferences. A null image outside 0 to 9.
// dpr is the screen's device pixel ratio: the picture keeps its size in device-independent
// pixels and is drawn at that resolution, never scaled up from the 1x picture.
QImage ToolButtonPicture(int button, ButtonState state, qreal dpr = 1);

struct ToolButPicts {
    std::array<QImage, kToolButtonCount> FlatButs;
    std::array<QImage, kToolButtonCount> LiftButs;
    std::array<QImage, kToolButtonCount> PressButs;
    std::array<QImage, kToolButtonCount> DisabButs;
};
ToolButPicts MakeToolButPicts(qreal dpr = 1);

// ---- Indicators of the server window and the frame icons (transparent around the picture).

inline constexpr int kReadWriteFrameCount = 10;

// Rotater(frame): one step of a turn, frame 0 to 9; a null image outside.
QImage ReadWriteFrame(int frame, qreal dpr = 1);
// DisabFrame: shown while not connected.
QImage ReadWriteDisabledFrame(qreal dpr = 1);

enum class MailImage { UnknownMailImage, CheckMailImage, GotMailImage, NoMailImage };
QImage MailPicture(MailImage image, qreal dpr = 1);

enum class PicServImage {
    FreePicServ, // idle
    DownPicServ, // fetching
    UpPicServ,   // serving
    BothPicServ, // serving while fetching
};
QImage PicServPicture(PicServImage image, qreal dpr = 1);

// The padlock shown while the connection to the server is encrypted (TLS).
QImage SecurePicture(qreal dpr = 1);

enum class FrameIcon {
    DefaultIcon, // normal
    NoNewIcon,   // frame in the background, dimmed
    NoticeIcon,  // the other blink phase: new text arrived
};
QImage FrameIconPicture(FrameIcon icon, qreal dpr = 1);
// The frame icon drawn at each size desktops ask for, for window decorations and the tray.
QIcon FrameIconSet(FrameIcon icon);

struct SmiFrames {
    std::array<QImage, kReadWriteFrameCount> Rotater;
    QImage DisabFrame;
    QImage DefaultIcon;
    QImage NoNewIcon;
    QImage NoticeIcon;
};
// The indicators, like the buttons, are drawn for a screen of device pixel ratio dpr.
SmiFrames MakeSmiFrames(qreal dpr = 1);

// ---- Application icon

// The icon at size x size device-independent pixels (size clamped to 8..1024) for a screen of
// device pixel ratio dpr; DefaultIcon is its 32-pixel form.
QImage ApplicationIcon(int size, qreal dpr = 1);
// The same drawing as a scalable SVG document, for desktop menus and installers.
std::string ApplicationIconSvg();

} // namespace korbi::media
