// The picture of a binder ring that the screen view draws down the gutter between its two pages:
// a metal ring through a punched hole on each page, drawn by code on a transparent ground.
#pragma once

#include <QImage>
#include <QSize>

// The picture's size in pixels, the size the layout is made for.
inline constexpr QSize kRingBitmapSize(82, 24);

// The picture, at four times that size so that it stays smooth when scaled up.
const QImage& RingBitmap();
