#pragma once

#include <QMargins>
#include <QSize>

// A window's outer size is its client area and the frame around it. Qt sizes the client area in
// whole logical pixels and rounds them times the device pixel ratio to device pixels; the window
// manager draws the frame in device pixels. Where the ratio is fractional, not every client size in
// device pixels can be had, and the frame cannot be subtracted in logical pixels without rounding
// twice.
namespace FrameFit {
// The logical client size whose outer size in device pixels comes nearest to outerDevice, in each
// direction; of two as near, the smaller.
QSize clientSize(QSize outerDevice, QMargins frameDevice, double ratio);
} // namespace FrameFit
