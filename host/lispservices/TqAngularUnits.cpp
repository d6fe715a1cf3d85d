// Angular unit formats.
#include "TqAngularUnits.h"

#include "TqUnitText.h"

#include <cmath>
#include <numbers>

namespace {

using TqUnitText::Count;
using TqUnitText::Decimals;
using TqUnitText::PowerOfTen;

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr int kMaxPrecision = 8;

double Normalized(double angle)
{
    double result = std::fmod(angle, kTwoPi);
    if (result < 0)
        result += kTwoPi;
    return result >= kTwoPi ? 0.0 : result;
}

double Degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

// Steps of a degree that a degrees-minutes-seconds precision counts.
unsigned long long StepsPerDegree(int precision)
{
    if (precision == 0)
        return 1;
    if (precision <= 2)
        return 60;
    if (precision <= 4)
        return 3600;
    return 3600 * PowerOfTen(precision - 4);
}

QString DegreesMinutesSeconds(unsigned long long steps, int precision)
{
    const unsigned long long perDegree = StepsPerDegree(precision);
    QString text = QString::number(steps / perDegree) + QLatin1Char('d');
    if (precision == 0)
        return text;
    const unsigned long long rest = steps % perDegree;
    const unsigned long long perMinute = perDegree / 60;
    text += QString::number(rest / perMinute) + QLatin1Char('\'');
    if (precision <= 2)
        return text;
    return text + Decimals(rest % perMinute, precision > 4 ? precision - 4 : 0, 0) + QLatin1Char('"');
}

// A decimal unit of a full turn (360 degrees, 400 grads, 2π radians) with its suffix.
std::optional<QString> DecimalTurn(double displayed, double perTurn, int precision, int zin, const char* suffix)
{
    const double steps = double(PowerOfTen(precision));
    auto units = Count(displayed / kTwoPi * perTurn, steps);
    if (!units)
        return std::nullopt;
    // Rounding up to a full turn shows 0.
    if (double(*units) >= perTurn * steps && perTurn == std::round(perTurn))
        units = 0;
    return Decimals(*units, precision, zin) + QLatin1String(suffix);
}

std::optional<QString> Bearing(double direction, int precision)
{
    const unsigned long long perDegree = StepsPerDegree(precision);
    auto steps = Count(Degrees(direction), double(perDegree));
    if (!steps)
        return std::nullopt;
    const unsigned long long quarter = 90 * perDegree;
    const unsigned long long total = *steps % (4 * quarter);
    static const char* const kAxes[] = {"E", "N", "W", "S"};
    if (total % quarter == 0)
        return QLatin1String(kAxes[total / quarter]);
    struct Quadrant {
        const char* from;
        const char* to;
        bool fromAxis;  // the offset grows from the quadrant's first axis
    };
    // Quadrants counterclockwise from east: NE, NW, SW, SE, offsets measured from N or S.
    static const Quadrant kQuadrants[] = {{"N", "E", false}, {"N", "W", true}, {"S", "W", false}, {"S", "E", true}};
    const Quadrant& q = kQuadrants[total / quarter];
    const unsigned long long within = total % quarter;
    const unsigned long long offset = q.fromAxis ? within : quarter - within;
    return QLatin1String(q.from) + QLatin1Char(' ') + DegreesMinutesSeconds(offset, precision) + QLatin1Char(' ') + QLatin1String(q.to);
}

// Degrees from "45", "45d", "45d30'", "45d30'15.5\"", "30'" or "15\"".
std::optional<double> DegreesText(TqUnitText::Reader& reader, bool& marked)
{
    marked = false;
    double degrees = 0.0;
    bool any = false;
    const QChar marks[] = {QLatin1Char('d'), QLatin1Char('\''), QLatin1Char('"')};
    const double scale[] = {1.0, 1.0 / 60.0, 1.0 / 3600.0};
    int next = 0;
    while (next < 3) {
        reader.SkipSpaces();
        const auto number = reader.Number();
        if (!number)
            break;
        reader.SkipSpaces();
        int mark = next;
        while (mark < 3 && reader.Peek().toLower() != marks[mark] && !(mark == 0 && reader.Peek() == QChar(0x00B0)))
            ++mark;
        if (mark == 3) {
            if (any)
                return std::nullopt;  // a bare number after a marked one
            return *number;           // a bare number: the caller decides its unit
        }
        reader.Take(reader.Peek());
        degrees += *number * scale[mark];
        any = marked = true;
        next = mark + 1;
    }
    if (!any)
        return std::nullopt;
    return degrees;
}

}  // namespace

namespace TqAngularUnits {

std::optional<QString> Format(double angle, int mode, int precision, const TqUnitSettings& settings)
{
    if (!std::isfinite(angle) || precision < 0 || precision > kMaxPrecision)
        return std::nullopt;
    if (mode == 4)
        return Bearing(Normalized(angle), precision);
    const double fromBase = angle - settings.angleBase;
    const double displayed = Normalized(settings.clockwise ? -fromBase : fromBase);
    const int zin = settings.zeroSuppression & (tqzin::kLeading | tqzin::kTrailing);
    switch (mode) {
    case 0: return DecimalTurn(displayed, 360.0, precision, zin, "");
    case 1: {
        const unsigned long long perTurn = 360 * StepsPerDegree(precision);
        const auto steps = Count(Degrees(displayed), double(StepsPerDegree(precision)));
        if (!steps)
            return std::nullopt;
        return DegreesMinutesSeconds(*steps % perTurn, precision);
    }
    case 2: return DecimalTurn(displayed, 400.0, precision, zin, "g");
    case 3: return DecimalTurn(displayed, kTwoPi, precision, zin, "r");
    default: return std::nullopt;
    }
}

std::optional<double> Parse(const QString& source, int mode, const TqUnitSettings& settings)
{
    const QString text = source.trimmed().toLower();
    if (text.isEmpty())
        return std::nullopt;
    TqUnitText::Reader reader(text);
    const QChar first = reader.Peek();
    // A bearing: an axis alone, or N or S, an offset, E or W.
    if (first == QLatin1Char('n') || first == QLatin1Char('s') || first == QLatin1Char('e') || first == QLatin1Char('w')) {
        reader.Take(first);
        reader.SkipSpaces();
        if (reader.AtEnd()) {
            const double axes[] = {0.0, 90.0, 180.0, 270.0};
            const int axis = first == QLatin1Char('e') ? 0 : first == QLatin1Char('n') ? 1 : first == QLatin1Char('w') ? 2 : 3;
            return Normalized(axes[axis] * std::numbers::pi / 180.0);
        }
        if (first == QLatin1Char('e') || first == QLatin1Char('w'))
            return std::nullopt;
        bool marked = false;
        const auto offset = DegreesText(reader, marked);
        reader.SkipSpaces();
        const QChar to = reader.Peek();
        if (!offset || (to != QLatin1Char('e') && to != QLatin1Char('w')))
            return std::nullopt;
        reader.Take(to);
        reader.SkipSpaces();
        if (!reader.AtEnd())
            return std::nullopt;
        const bool north = first == QLatin1Char('n');
        const bool east = to == QLatin1Char('e');
        const double degrees = north ? (east ? 90.0 - *offset : 90.0 + *offset) : (east ? 270.0 + *offset : 270.0 - *offset);
        return Normalized(degrees * std::numbers::pi / 180.0);
    }
    const bool negative = reader.Take(QLatin1Char('-'));
    if (!negative)
        reader.Take(QLatin1Char('+'));
    double radians = 0.0;
    bool marked = false;
    const auto degrees = DegreesText(reader, marked);
    if (!degrees)
        return std::nullopt;
    reader.SkipSpaces();
    if (marked) {
        radians = *degrees * std::numbers::pi / 180.0;
    } else if (reader.Take(QLatin1Char('g'))) {
        radians = *degrees * std::numbers::pi / 200.0;
    } else if (reader.Take(QLatin1Char('r'))) {
        radians = *degrees;
    } else {
        const int unit = mode < 0 ? settings.angularMode : mode;
        radians = unit == 2 ? *degrees * std::numbers::pi / 200.0 : unit == 3 ? *degrees : *degrees * std::numbers::pi / 180.0;
    }
    reader.SkipSpaces();
    if (!reader.AtEnd())
        return std::nullopt;
    if (negative)
        radians = -radians;
    return Normalized(settings.angleBase + (settings.clockwise ? -radians : radians));
}

}  // namespace TqAngularUnits
