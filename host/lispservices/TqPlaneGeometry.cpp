// Point computations.
#include "TqPlaneGeometry.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kTolerance = 1e-10;

double Dot(const double (&a)[3], const double (&b)[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

}  // namespace

namespace TqPlaneGeometry {

double Distance(const Point& from, const Point& to)
{
    return std::hypot(to[0] - from[0], to[1] - from[1], to[2] - from[2]);
}

double Angle(const Point& from, const Point& to)
{
    double angle = std::atan2(to[1] - from[1], to[0] - from[0]);
    if (angle < 0)
        angle += 2.0 * std::numbers::pi;
    return angle;
}

void Polar(const Point& base, double angle, double distance, Point& result)
{
    result[0] = base[0] + distance * std::cos(angle);
    result[1] = base[1] + distance * std::sin(angle);
    result[2] = base[2];
}

bool Intersection(const Point& p1, const Point& p2, const Point& p3, const Point& p4, bool segmentsOnly, Point& result)
{
    // The closest points p1 + t·u and p3 + s·v of the two lines must coincide.
    const double u[3] = {p2[0] - p1[0], p2[1] - p1[1], p2[2] - p1[2]};
    const double v[3] = {p4[0] - p3[0], p4[1] - p3[1], p4[2] - p3[2]};
    const double w[3] = {p1[0] - p3[0], p1[1] - p3[1], p1[2] - p3[2]};
    const double a = Dot(u, u), b = Dot(u, v), c = Dot(v, v), d = Dot(u, w), e = Dot(v, w);
    const double denominator = a * c - b * b;
    if (a <= 0.0 || c <= 0.0 || denominator <= kTolerance * a * c)
        return false;
    const double t = (b * e - c * d) / denominator;
    const double s = (a * e - b * d) / denominator;
    const double onFirst[3] = {p1[0] + t * u[0], p1[1] + t * u[1], p1[2] + t * u[2]};
    const double onSecond[3] = {p3[0] + s * v[0], p3[1] + s * v[1], p3[2] + s * v[2]};
    const double scale = std::sqrt(a) + std::sqrt(c) + std::sqrt(Dot(w, w));
    if (Distance(onFirst, onSecond) > kTolerance * scale)
        return false;
    if (segmentsOnly && (t < -kTolerance || t > 1.0 + kTolerance || s < -kTolerance || s > 1.0 + kTolerance))
        return false;
    for (int i = 0; i < 3; ++i)
        result[i] = onFirst[i];
    return true;
}

}  // namespace TqPlaneGeometry
