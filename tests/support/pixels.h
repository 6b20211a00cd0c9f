#pragma once
// Pixel checks of off-screen drawings.

#include <QColor>
#include <QImage>
#include <QRect>

#include <algorithm>
#include <climits>

// Bounding box of the pixels matching `pred`; empty when none match.
template <class Pred>
QRect pixelsWhere(const QImage& img, Pred pred)
{
    int l = INT_MAX, t = INT_MAX, r = -1, b = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (pred(QColor(img.pixel(x, y)))) {
                l = std::min(l, x);
                t = std::min(t, y);
                r = std::max(r, x);
                b = std::max(b, y);
            }
    return r < 0 ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}
