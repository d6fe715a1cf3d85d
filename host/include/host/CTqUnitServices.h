// System variables, unit formats and the plane geometry of the geometry built-ins: what an engine
// asks of the host for getvar, setvar, rtos, angtos, distof, angtof, cvunit, distance, angle,
// polar, inters and textbox. CTqLispServices::Units() hands it out. Every operation returns a
// host status (TqStatus.h); a refusal is tq::kError with the host error number set.
#pragma once

#include "host/CTqString.h"
#include "host/TqResultBuffer.h"

class CTqUnitServices {
public:
    virtual ~CTqUnitServices() = default;

    // --- system variables ------------------------------------------------------------------------
    // The value type (tqrt::k…) of a variable named in any case; -1 when there is none.
    virtual short VariableType(const CTqString& name) = 0;
    // The value as one new record of the variable's value type; the caller releases it with
    // CTqLispServices::ReleaseChain. An unknown name: tq::kErrUnknownVariable.
    virtual short GetVariable(const CTqString& name, TqResultBuffer*& value) = 0;
    // Sets a variable from a record of its value type. Refusals: an unknown or read-only variable
    // tq::kErrUnknownVariable; a number outside the variable's range tq::kErrParameterOutOfRange;
    // a value of another type, or a name of nothing the drawing holds, tq::kErrBadValue.
    virtual short SetVariable(const CTqString& name, const TqResultBuffer& value) = 0;
    // The present name of a variable that `name` is an older name of: tq::kNormal and the name,
    // or tq::kNone.
    virtual short ReplacementName(const CTqString& name, CTqString& replacement) = 0;

    // --- geometry --------------------------------------------------------------------------------
    virtual short Distance(const double (&from)[3], const double (&to)[3], double& distance) = 0;
    // The angle in radians of the line from `from` to `to` in the XY plane, 0 to 2π.
    virtual short Angle(const double (&from)[3], const double (&to)[3], double& angle) = 0;
    // The point at `distance` from `base` in the direction `angle` of the XY plane; z is kept.
    virtual short Polar(const double (&base)[3], double angle, double distance, double (&point)[3]) = 0;
    // The intersection of the lines p1–p2 and p3–p4, or with `segmentsOnly` of the segments.
    // None: tq::kError with tq::kErrNone.
    virtual short Intersection(const double (&p1)[3], const double (&p2)[3], const double (&p3)[3], const double (&p4)[3],
                               bool segmentsOnly, double (&point)[3]) = 0;
    // The box of a text given as a group-code chain (1 text, 40 height, 7 style, 41 width factor,
    // 51 obliquing angle), relative to its insertion point and unrotated.
    virtual short TextBox(const TqResultBuffer* text, double (&lower)[3], double (&upper)[3]) = 0;
    // A point (or, with displacement, a vector) from one coordinate system to another; each is a
    // single record: an integer (0 world, 1 user, 2 display, 3 paper-space display), an entity
    // name (the object's own system) or a 3D point (the extrusion direction of an object system).
    virtual short TransformPoint(const double (&point)[3], const TqResultBuffer& from, const TqResultBuffer& to,
                                 bool displacement, double (&result)[3]) = 0;
    // The object snap point nearest `point` for the modes ("end,mid,cen,…"); tq::kNone when no
    // object within the aperture has one.
    virtual short SnapPoint(const double (&point)[3], const CTqString& modes, double (&result)[3]) = 0;

    // --- unit formats ----------------------------------------------------------------------------
    // Mode and precision -1 take the drawing's settings (LUNITS and LUPREC, AUNITS and AUPREC).
    // The text and its terminating zero are written into `size` units; tq::kErrBadValue when the
    // mode or precision is not one the format knows or the text does not fit.
    virtual short FormatDistance(double value, int mode, int precision, char16_t* text, int size) = 0;
    virtual short FormatAngle(double angle, int mode, int precision, char16_t* text, int size) = 0;
    // Reads every text the formats write, whatever the mode; the mode only says how a bare
    // number of an angle is meant. Unreadable text: tq::kErrNone.
    virtual short ParseDistance(const CTqString& text, int mode, double& value) = 0;
    virtual short ParseAngle(const CTqString& text, int mode, double& angle) = 0;
    // Converts between two units of one kind of the host's unit definitions. Unknown units or
    // units of two kinds: tq::kErrBadValue.
    virtual short ConvertUnit(double value, const CTqString& from, const CTqString& to, double& result) = 0;
};
