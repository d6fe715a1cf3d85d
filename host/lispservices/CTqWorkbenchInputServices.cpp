// The workbench's user input on its command line.
#include "CTqWorkbenchInputServices.h"

#include "CTqWorkbenchLispServices.h"
#include "TqResultBuffers.h"
#include "host/TqStatus.h"

#include <QRegularExpression>

#include <cmath>
#include <numbers>
#include <utility>

struct CTqWorkbenchInputServices::Request {
    int bits = 0;
    QStringList keywords;
};

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

double normalized(double angle)
{
    angle = std::fmod(angle, kTwoPi);
    return angle < 0.0 ? angle + kTwoPi : angle;
}

bool decimal(const QString& text, double& value)
{
    bool ok = false;
    value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value);
}

// The message for a number initget forbids, or an empty string when it is allowed.
QString refusal(int bits, double value)
{
    const bool noZero = (bits & tqinput::kNoZero) != 0;
    const bool noNegative = (bits & tqinput::kNoNegative) != 0;
    if ((noZero && value == 0.0) || (noNegative && value < 0.0)) {
        if (noZero && noNegative)
            return QStringLiteral("Value must be positive and nonzero.");
        return noZero ? QStringLiteral("Value must be nonzero.") : QStringLiteral("Value must be positive.");
    }
    return {};
}

}  // namespace

CTqWorkbenchInputServices::CTqWorkbenchInputServices(CTqWorkbenchLispServices& services)
    : m_services(services), m_readDistance(decimal), m_readAngle([](const QString& text, double& value) {
          if (!decimal(text, value))
              return false;
          value = value * std::numbers::pi / 180.0;
          return true;
      })
{
}

QString CTqWorkbenchInputServices::MatchKeyword(const QStringList& keywords, const QString& typed)
{
    const QString wanted = typed.trimmed().toUpper();
    if (wanted.isEmpty())
        return {};
    for (const QString& keyword : keywords) {
        const QString upper = keyword.toUpper();
        if (upper == wanted)
            return keyword;
        // The capitals are the abbreviation; more of the word may follow them.
        QString abbreviation;
        for (QChar c : keyword) {
            if (c.isUpper() || c.isDigit())
                abbreviation += c;
        }
        if (abbreviation.isEmpty())
            continue;
        if (wanted == abbreviation || (upper.startsWith(wanted) && wanted.size() >= abbreviation.size() && upper.startsWith(abbreviation)))
            return keyword;
    }
    return {};
}

short CTqWorkbenchInputServices::InitGet(int bits, const CTqString& keywords)
{
    m_bits = bits;
    m_keywords = keywords.toQString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // "Local Global _L G": only the local words are typed; the part after "_" is what programs
    // that pass global names match, and the local word is what comes back here.
    if (const qsizetype global = m_keywords.indexOf(QRegularExpression(QStringLiteral("^_.*"))); global >= 0)
        m_keywords = m_keywords.mid(0, global);
    return tq::kNormal;
}

void CTqWorkbenchInputServices::remember(const OdGePoint3d& point)
{
    m_lastPoint = point;
    if (m_writeLast)
        m_writeLast(point);
}

void CTqWorkbenchInputServices::complain(const QString& message)
{
    m_services.PrintHtml(CTqString(QLatin1Char('\n') + message));
}

short CTqWorkbenchInputServices::readLine(const CTqString* prompt, const QString& fallback, QString& text)
{
    CTqString line;
    const short status = m_services.GetLine(prompt ? *prompt : CTqString(fallback), line);
    if (status != tq::kNormal)
        return status;
    text = line.toQString().trimmed();
    return tq::kNormal;
}

bool CTqWorkbenchInputServices::settle(const Request& request, const QString& text, short& status)
{
    if (text.isEmpty()) {
        if (request.bits & tqinput::kNoNull)
            return false;
        status = tq::kNone;
        return true;
    }
    const QString keyword = MatchKeyword(request.keywords, text);
    if (!keyword.isEmpty() || (request.bits & tqinput::kArbitrary)) {
        m_services.SetPendingInput(CTqString(keyword.isEmpty() ? text : keyword));
        status = tq::kKeyword;
        return true;
    }
    return false;
}

bool CTqWorkbenchInputServices::readPoint(const QString& text, OdGePoint3d& point) const
{
    QString rest = text.trimmed();
    OdGePoint3d origin;
    if (rest.startsWith(QLatin1Char('@'))) {
        origin = lastPoint();
        rest = rest.mid(1).trimmed();
        if (rest.isEmpty()) {
            point = origin;
            return true;
        }
    }
    if (const qsizetype less = rest.indexOf(QLatin1Char('<')); less >= 0) {
        double distance = 0.0;
        double angle = 0.0;
        if (!m_readDistance(rest.left(less), distance) || !m_readAngle(rest.mid(less + 1), angle))
            return false;
        point = {origin.x + distance * std::cos(angle), origin.y + distance * std::sin(angle), origin.z};
        return true;
    }
    const QStringList parts = rest.split(QLatin1Char(','));
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    double values[3] = {0.0, 0.0, 0.0};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!m_readDistance(parts[i], values[i]))
            return false;
    }
    point = {origin.x + values[0], origin.y + values[1], parts.size() == 3 ? origin.z + values[2] : origin.z};
    return true;
}

short CTqWorkbenchInputServices::GetPoint(const double* base, const CTqString* prompt, double point[3])
{
    const Request request{std::exchange(m_bits, 0), std::exchange(m_keywords, {})};
    (void)base;  // the base point draws a rubber band; nothing is drawn here
    for (;;) {
        QString text;
        const short status = readLine(prompt, QStringLiteral("\nSpecify point: "), text);
        if (status != tq::kNormal)
            return status;
        OdGePoint3d picked;
        if (!text.isEmpty() && readPoint(text, picked)) {
            point[0] = picked.x;
            point[1] = picked.y;
            point[2] = picked.z;
            remember(picked);
            return tq::kNormal;
        }
        short settled = tq::kNone;
        if (settle(request, text, settled))
            return settled;
        if (!text.isEmpty())
            complain(QStringLiteral("Invalid point."));
    }
}

short CTqWorkbenchInputServices::GetCorner(const double base[3], const CTqString* prompt, double point[3])
{
    return GetPoint(base, prompt, point);
}

short CTqWorkbenchInputServices::GetDistance(const double* base, const CTqString* prompt, double& distance)
{
    const Request request{std::exchange(m_bits, 0), std::exchange(m_keywords, {})};
    const bool flat = (request.bits & tqinput::kIgnoreZ) != 0;
    auto between = [flat](const OdGePoint3d& a, const OdGePoint3d& b) {
        return flat ? std::hypot(b.x - a.x, b.y - a.y) : std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
    };
    for (;;) {
        QString text;
        short status = readLine(prompt, QStringLiteral("\nSpecify distance: "), text);
        if (status != tq::kNormal)
            return status;
        double value = 0.0;
        OdGePoint3d first;
        bool have = false;
        if (!text.isEmpty() && m_readDistance(text, value)) {
            have = true;
        } else if (!text.isEmpty() && readPoint(text, first)) {
            remember(first);
            if (base) {
                value = between({base[0], base[1], base[2]}, first);
            } else {
                QString second;
                OdGePoint3d other;
                for (;;) {
                    status = readLine(nullptr, QStringLiteral("\nSpecify second point: "), second);
                    if (status != tq::kNormal)
                        return status;
                    if (readPoint(second, other))
                        break;
                    complain(QStringLiteral("Invalid point."));
                }
                remember(other);
                value = between(first, other);
            }
            have = true;
        }
        if (have) {
            if (const QString refused = refusal(request.bits, value); !refused.isEmpty()) {
                complain(refused);
                continue;
            }
            distance = value;
            return tq::kNormal;
        }
        short settled = tq::kNone;
        if (settle(request, text, settled))
            return settled;
        if (!text.isEmpty())
            complain(QStringLiteral("Requires numeric distance or two points."));
    }
}

short CTqWorkbenchInputServices::GetAngle(const double* base, const CTqString* prompt, bool orient, double& angle)
{
    const Request request{std::exchange(m_bits, 0), std::exchange(m_keywords, {})};
    double angleBase = 0.0;
    bool clockwise = false;
    if (m_angleSettings)
        m_angleSettings(angleBase, clockwise);
    for (;;) {
        QString text;
        short status = readLine(prompt, QStringLiteral("\nSpecify angle: "), text);
        if (status != tq::kNormal)
            return status;
        double typed = 0.0;
        double absolute = 0.0;
        bool have = false;
        OdGePoint3d first;
        if (!text.isEmpty() && m_readAngle(text, typed)) {
            absolute = typed;
            have = true;
        } else if (!text.isEmpty() && readPoint(text, first)) {
            OdGePoint3d from = first;
            OdGePoint3d to = first;
            if (base) {
                from = {base[0], base[1], base[2]};
            } else {
                QString second;
                for (;;) {
                    status = readLine(nullptr, QStringLiteral("\nSpecify second point: "), second);
                    if (status != tq::kNormal)
                        return status;
                    if (readPoint(second, to))
                        break;
                    complain(QStringLiteral("Invalid point."));
                }
            }
            remember(to);
            absolute = std::atan2(to.y - from.y, to.x - from.x);
            have = true;
        }
        if (have) {
            angle = orient ? normalized(absolute) : normalized(absolute - angleBase);
            return tq::kNormal;
        }
        short settled = tq::kNone;
        if (settle(request, text, settled))
            return settled;
        if (!text.isEmpty())
            complain(QStringLiteral("Requires valid numeric angle or two points."));
    }
}

short CTqWorkbenchInputServices::GetReal(const CTqString* prompt, double& value)
{
    const Request request{std::exchange(m_bits, 0), std::exchange(m_keywords, {})};
    for (;;) {
        QString text;
        const short status = readLine(prompt, QStringLiteral("\nEnter a real number: "), text);
        if (status != tq::kNormal)
            return status;
        double number = 0.0;
        if (!text.isEmpty() && decimal(text, number)) {
            if (const QString refused = refusal(request.bits, number); !refused.isEmpty()) {
                complain(refused);
                continue;
            }
            value = number;
            return tq::kNormal;
        }
        short settled = tq::kNone;
        if (settle(request, text, settled))
            return settled;
        if (!text.isEmpty())
            complain(QStringLiteral("Requires numeric value."));
    }
}

short CTqWorkbenchInputServices::GetInteger(const CTqString* prompt, int& value)
{
    const Request request{std::exchange(m_bits, 0), std::exchange(m_keywords, {})};
    for (;;) {
        QString text;
        const short status = readLine(prompt, QStringLiteral("\nEnter an integer: "), text);
        if (status != tq::kNormal)
            return status;
        bool ok = false;
        const qlonglong number = text.toLongLong(&ok);
        if (ok) {
            if (number < -32768 || number > 32767) {
                complain(QStringLiteral("Requires an integer between -32768 and 32767."));
                continue;
            }
            if (const QString refused = refusal(request.bits, double(number)); !refused.isEmpty()) {
                complain(refused);
                continue;
            }
            value = int(number);
            return tq::kNormal;
        }
        short settled = tq::kNone;
        if (settle(request, text, settled))
            return settled;
        if (!text.isEmpty())
            complain(QStringLiteral("Requires an integer value."));
    }
}

short CTqWorkbenchInputServices::GetString(bool spaces, const CTqString* prompt, CTqString& text)
{
    m_bits = 0;
    m_keywords.clear();
    CTqString line;
    const short status = m_services.GetLine(prompt ? *prompt : CTqString(QStringLiteral("\nEnter text: ")), line);
    if (status != tq::kNormal)
        return status;
    QString typed = line.toQString();
    if (!spaces) {
        // Without the flag a blank ends the text, as the space bar ends it when typing.
        typed = typed.trimmed();
        if (const qsizetype blank = typed.indexOf(QLatin1Char(' ')); blank >= 0)
            typed.truncate(blank);
    }
    text = CTqString(typed);
    return tq::kNormal;
}

short CTqWorkbenchInputServices::GetKeyword(const CTqString* prompt, CTqString& keyword)
{
    const Request request{std::exchange(m_bits, 0), std::exchange(m_keywords, {})};
    for (;;) {
        QString text;
        const short status = readLine(prompt, QStringLiteral("\nEnter an option: "), text);
        if (status != tq::kNormal)
            return status;
        if (text.isEmpty()) {
            if (request.bits & tqinput::kNoNull)
                continue;
            return tq::kNone;
        }
        const QString matched = MatchKeyword(request.keywords, text);
        if (!matched.isEmpty() || (request.bits & tqinput::kArbitrary)) {
            keyword = CTqString(matched.isEmpty() ? text : matched);
            return tq::kNormal;
        }
        complain(QStringLiteral("Invalid option keyword."));
    }
}

short CTqWorkbenchInputServices::GrRead(bool, int, int& kind, TqResultBuffer*& value)
{
    value = nullptr;
    QString text;
    const short status = readLine(nullptr, QString(), text);
    if (status != tq::kNormal)
        return status;
    OdGePoint3d picked;
    if (!text.isEmpty() && readPoint(text, picked)) {
        kind = 3;
        value = TqNewResultBuffer(tqrt::kPoint3d);
        if (!value)
            return tq::kFailure;
        value->value.point[0] = picked.x;
        value->value.point[1] = picked.y;
        value->value.point[2] = picked.z;
        remember(picked);
        return tq::kNormal;
    }
    // A typed line stands for its first key; Enter for the carriage return.
    kind = 2;
    value = TqNewResultBuffer(tqrt::kShort);
    if (!value)
        return tq::kFailure;
    value->value.int16 = short(text.isEmpty() ? 13 : text.at(0).unicode());
    return tq::kNormal;
}
