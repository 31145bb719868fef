#pragma once

#include <QMargins>
#include <QSize>

#include <optional>

class QWidget;
class QWindow;

// The frame that the window manager has put around a window, in device pixels, as it announces it
// (_NET_FRAME_EXTENTS on X11). None before the window is framed, or where the display does not say.
std::optional<QMargins> nativeFrameExtents(const QWindow* window);

// Fixes the top-level window's client area so that, with the frame, it measures outer (logical
// pixels) outside. Where the window manager says how wide its frame is, the client area is fitted in
// device pixels around it, so that a fractional scale rounds the size once, not twice.
void setFixedOuterSize(QWidget& window, QSize outer);
