#pragma once
// Colour-keyed pictures (a picture annotation with a transparent colour) are
// keyed only where they show: the part of the stretched picture that lands in
// the visible rectangle is sampled at the target's resolution, so the work
// and the memory follow what is painted, not the picture's size.

#include <QImage>
#include <QRect>
#include <QRgb>

// The pixels of `shown` (within `box`, logical pixels) of `picture`
// stretched into `box`, nearest pixel, at `ratio` device pixels per logical
// pixel; those whose colour is `key` (alpha ignored) are clear.
QImage ColourKeyedPart(const QImage& picture, const QRect& box, const QRect& shown, QRgb key,
                       qreal ratio);
