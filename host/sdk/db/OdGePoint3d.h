// Points and vectors in drawing coordinates.
#pragma once

#include <cmath>

struct OdGePoint3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    friend bool operator==(const OdGePoint3d&, const OdGePoint3d&) = default;
};

struct OdGeVector3d {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    static constexpr OdGeVector3d kZAxis() { return {0.0, 0.0, 1.0}; }
    double length() const { return std::sqrt(x * x + y * y + z * z); }
    friend bool operator==(const OdGeVector3d&, const OdGeVector3d&) = default;
};
