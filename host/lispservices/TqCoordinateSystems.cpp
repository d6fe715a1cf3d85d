// Coordinate systems of the drawing.
#include "TqCoordinateSystems.h"

#include <cmath>

namespace {

OdGePoint3d cross(const OdGePoint3d& a, const OdGePoint3d& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

double dot(const OdGePoint3d& a, const OdGePoint3d& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

OdGePoint3d unit(const OdGePoint3d& v)
{
    const double length = std::sqrt(dot(v, v));
    return length > 0.0 ? OdGePoint3d{v.x / length, v.y / length, v.z / length} : v;
}

}  // namespace

OdGePoint3d TqFrame::toWorld(const OdGePoint3d& p, bool displacement) const
{
    const OdGePoint3d base = displacement ? OdGePoint3d() : origin;
    return {base.x + p.x * x.x + p.y * y.x + p.z * z.x, base.y + p.x * x.y + p.y * y.y + p.z * z.y,
            base.z + p.x * x.z + p.y * y.z + p.z * z.z};
}

OdGePoint3d TqFrame::fromWorld(const OdGePoint3d& p, bool displacement) const
{
    const OdGePoint3d d = displacement ? p : OdGePoint3d{p.x - origin.x, p.y - origin.y, p.z - origin.z};
    return {dot(d, x), dot(d, y), dot(d, z)};
}

TqFrame TqObjectFrame(const OdGePoint3d& normal)
{
    TqFrame frame;
    frame.z = unit(normal);
    if (dot(frame.z, frame.z) == 0.0)
        frame.z = {0, 0, 1};
    // The arbitrary-axis rule: near the world Z axis the X axis comes from world Y, else from
    // world Z.
    constexpr double kLimit = 1.0 / 64.0;
    const OdGePoint3d reference = std::fabs(frame.z.x) < kLimit && std::fabs(frame.z.y) < kLimit ? OdGePoint3d{0, 1, 0}
                                                                                                 : OdGePoint3d{0, 0, 1};
    frame.x = unit(cross(reference, frame.z));
    frame.y = unit(cross(frame.z, frame.x));
    return frame;
}

TqFrame TqUserFrame(const OdGePoint3d& origin, const OdGePoint3d& xAxis, const OdGePoint3d& yAxis)
{
    TqFrame frame;
    frame.origin = origin;
    frame.x = unit(xAxis);
    frame.z = unit(cross(frame.x, unit(yAxis)));
    frame.y = unit(cross(frame.z, frame.x));
    if (dot(frame.z, frame.z) == 0.0)
        return TqFrame{origin};
    return frame;
}
