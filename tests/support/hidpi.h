#pragma once
// Telling a picture drawn for a high-density screen from a low-density one scaled up.
#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace korbi::testing {

// The points of picture (ARGB32), every step-th pixel in both directions, at which holds(image,
// x, y) is true; x + step - 1 and y + step - 1 are inside the picture.
template <class Holds> int CountPoints(const QImage& picture, int step, Holds holds) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y + step - 1 < image.height(); y += step) {
        for (int x = 0; x + step - 1 < image.width(); x += step) {
            count += holds(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

// How many 2x2 blocks of device pixels (on the even grid) hold more than one colour. A picture
// scaled up twice by repeating pixels has none.
inline int MixedBlocks(const QImage& picture) {
    return CountPoints(picture, 2, [](const QImage& image, int x, int y) {
        const QRgb corner = image.pixel(x, y);
        return image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
               image.pixel(x + 1, y + 1) != corner;
    });
}

// Runs of equal pixels along the rows. Smooth scaling turns every hard edge into a ramp of
// several runs; a picture drawn at its size keeps about one run per edge.
inline int PixelRuns(const QImage& picture) {
    return CountPoints(picture, 1, [](const QImage& image, int x, int y) {
        return x == 0 || image.pixel(x, y) != image.pixel(x - 1, y);
    });
}

// A picture drawn for a 2x screen: twice the pixels, the same size in device-independent
// pixels, not the 1x picture with its pixels repeated, and with edges as hard as at 1x (a
// smooth upscale turns each edge into a ramp of several runs).
inline void ExpectDrawnAtTwice(const QImage& one, const QImage& two, const std::string& what) {
    ASSERT_EQ(two.size(), one.size() * 2) << what;
    EXPECT_EQ(two.deviceIndependentSize(), one.deviceIndependentSize()) << what;
    EXPECT_GT(MixedBlocks(two), 0) << what;
    const QImage smooth =
        one.scaled(one.size() * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(PixelRuns(two) * 4, PixelRuns(smooth) * 3) << what;
}

} // namespace korbi::testing
