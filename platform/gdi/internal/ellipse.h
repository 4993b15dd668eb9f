#pragma once

// The integer ellipse shared by elliptic regions and Arc, so that an arc drawn
// in a box traces exactly the rim of the region made for the same box. The
// curve is A. Zingl's midpoint ellipse ("A Rasterizing Algorithm for Drawing
// Curves", 2012) in the form the reference engine uses; the rows it produces
// are the worked examples of the drawing-layer fact sheet.

#include "platform/gdi/types.h"

#include <cstdint>
#include <vector>

namespace bastara::gdi::detail {

// For an ellipse filling a box of width x height pixels (both >= 2): how far
// row y (0-based) is inset from both the left and the right edge, so that the
// row covers [inset, width - inset).
std::vector<std::int32_t> ellipseRowInsets(std::int32_t width, std::int32_t height);

// The pixels of an elliptic arc in the box (left, top, right, bottom), in
// drawing order (counter-clockwise on screen), from the ray towards `start`
// to the ray towards `end`; start == end gives the whole ellipse. Consecutive
// points are 8-connected or equal. The caller draws them as one polyline.
std::vector<Point> ellipseArcPoints(const Rect& box, Point start, Point end);

} // namespace bastara::gdi::detail
