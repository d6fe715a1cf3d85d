// The point computations of the geometry built-ins: distance, angle, polar point and the
// intersection of two lines.
#pragma once

#include <optional>

namespace TqPlaneGeometry {

using Point = double[3];

double Distance(const Point& from, const Point& to);
// In the XY plane, 0 to 2π.
double Angle(const Point& from, const Point& to);
void Polar(const Point& base, double angle, double distance, Point& result);
// The point where the lines p1–p2 and p3–p4 meet; with `segmentsOnly` it must lie on both
// segments. False for parallel or skew lines and for degenerate ones.
bool Intersection(const Point& p1, const Point& p2, const Point& p3, const Point& p4, bool segmentsOnly, Point& result);

}  // namespace TqPlaneGeometry
