#pragma once
// Telling a picture drawn for a high-density screen from a low-density one scaled up.
#include <QImage>

namespace korbi::testing {

// How many 2x2 blocks of device pixels (on the even grid) hold more than one colour. A picture
// scaled up twice by repeating pixels has none.
inline int MixedBlocks(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int mixed = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner) {
                ++mixed;
            }
        }
    }
    return mixed;
}

// Pixels neither fully transparent nor fully opaque: the soft edge of antialiased shapes.
inline int SoftPixels(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int soft = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const int alpha = qAlpha(image.pixel(x, y));
            soft += alpha > 0 && alpha < 255 ? 1 : 0;
        }
    }
    return soft;
}

// Runs of equal pixels along the rows. Smooth scaling turns every hard edge into a ramp of
// several runs; a picture drawn at its size keeps about one run per edge.
inline int PixelRuns(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int runs = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            runs += x == 0 || image.pixel(x, y) != image.pixel(x - 1, y) ? 1 : 0;
        }
    }
    return runs;
}

} // namespace korbi::testing
