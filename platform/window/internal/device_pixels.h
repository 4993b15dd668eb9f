#pragma once

// Window geometry as a program that is aware of the screen's density sees it:
// in device pixels, a widget's logical (Qt) pixels times its device-pixel
// ratio. At a fractional ratio a device position has no exact logical twin,
// so what moveWindow asked for in device pixels is remembered and reported
// back while the widget stays where that request put it: moving a window by
// one device pixel and back returns it exactly.

#include "platform/gdi/types.h"

#include <QRect>

class QWidget;

namespace bastara::window::detail {

// One coordinate from logical to device pixels and back, rounded to the
// nearest pixel.
std::int32_t toDevice(int logical, qreal ratio);
int toLogical(std::int32_t device, qreal ratio);

// The widget's device pixels per logical pixel; 1 without a screen.
qreal pixelRatio(const QWidget& widget);
// The primary screen's; 1 without one. Screen coordinates are scaled by it.
qreal screenPixelRatio();

// The widget's rectangle in device pixels: in its parent's client
// coordinates for a child, on screen for a top-level window's client area.
gdi::Rect deviceGeometry(const QWidget& widget);
// The top-left corner of the widget's client area on screen, in device pixels.
gdi::Point deviceOrigin(const QWidget& widget);

// Places the widget at a device rectangle (parent's client coordinates),
// remembering the request for deviceGeometry.
void placeAtDevicePixels(QWidget& widget, const gdi::Rect& device, bool move, bool resize);

} // namespace bastara::window::detail
