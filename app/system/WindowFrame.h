#pragma once

#include <QSize>

class QWidget;

// Fixes the top-level window's client area so that, with the frame, it measures outer (logical
// pixels) outside. Where the window manager says how wide its frame is, the client area is fitted in
// device pixels around it, so that a fractional scale rounds the size once, not twice.
void setFixedOuterSize(QWidget& window, QSize outer);
