#pragma once
// The event pictures the program draws itself rather than reading from a file: a join, a part,
// a quit, and the picture shown when another one cannot be loaded.
#include "panes/picture_names.h"

#include <QImage>
#include <QSize>

namespace korbi::panes {

// Fits a 20-pixel line; the text of a line with a picture starts 25 pixels in.
inline constexpr QSize kBuiltInPictSize{18, 18};

// Opaque, on the white of the text view.
QImage BuiltInPicture(BuiltInPict pict);

} // namespace korbi::panes
