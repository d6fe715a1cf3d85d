// The workbench's user input on its command line, read a line at a time (interactively, or the
// next lines of standard input in batch mode), typed the way users of CAD command lines type:
//
//   points      "x,y" or "x,y,z"; "@dx,dy[,dz]" relative to the last point; "@dist<angle" polar
//               from the last point, "dist<angle" polar from the origin
//   distances   a number in the drawing's length format, or a point (the distance from the base
//               point, or to a second point asked for)
//   angles      a number in the drawing's angle format, or a point (the angle from the base point,
//               or to a second point asked for)
//   keywords    any initget keyword, whole or by its abbreviation (its capital letters), in any
//               case
//
// Enter gives no input unless initget forbids it; a line that is exactly Escape, and the end of
// input, cancel. Invalid input repeats the prompt after a message.
#pragma once

#include "host/CTqInputServices.h"
#include "../sdk/db/OdGePoint3d.h"

#include <QString>
#include <QStringList>

#include <functional>

class CTqWorkbenchLispServices;

class CTqWorkbenchInputServices final : public CTqInputServices {
public:
    using NumberReader = std::function<bool(const QString& text, double& value)>;

    explicit CTqWorkbenchInputServices(CTqWorkbenchLispServices& services);

    // How lengths and angles are read (angles as the direction they name, in radians
    // counter-clockwise from east, the drawing's base angle and direction applied); plain decimal
    // numbers and degrees from east until the host sets its unit formats.
    void SetDistanceReader(NumberReader reader) { m_readDistance = std::move(reader); }
    void SetAngleReader(NumberReader reader) { m_readAngle = std::move(reader); }
    // The drawing's base angle and direction (getangle answers relative to the base angle).
    void SetAngleSettings(std::function<void(double& base, bool& clockwise)> settings) { m_angleSettings = std::move(settings); }
    // Where the last point lives (the LASTPOINT variable); kept here until one is set.
    void SetLastPointStore(std::function<OdGePoint3d()> read, std::function<void(const OdGePoint3d&)> write)
    {
        m_readLast = std::move(read);
        m_writeLast = std::move(write);
    }

    short InitGet(int bits, const CTqString& keywords) override;
    short GetPoint(const double* base, const CTqString* prompt, double point[3]) override;
    short GetCorner(const double base[3], const CTqString* prompt, double point[3]) override;
    short GetDistance(const double* base, const CTqString* prompt, double& distance) override;
    short GetAngle(const double* base, const CTqString* prompt, bool orient, double& angle) override;
    short GetReal(const CTqString* prompt, double& value) override;
    short GetInteger(const CTqString* prompt, int& value) override;
    short GetString(bool spaces, const CTqString* prompt, CTqString& text) override;
    short GetKeyword(const CTqString* prompt, CTqString& keyword) override;
    short GrRead(bool tracking, int allowed, int& kind, TqResultBuffer*& value) override;

    // The keyword a typed text stands for, or an empty string.
    static QString MatchKeyword(const QStringList& keywords, const QString& typed);

private:
    enum class Answer { Value, Empty, Keyword, Invalid };
    struct Request;

    // Reads one answer: tq::kNormal and the trimmed text, tq::kCancel. Consumes the initget state.
    short readLine(const CTqString* prompt, const QString& fallback, QString& text);
    // Common handling of an empty line and keywords; true when the answer is settled (status set).
    bool settle(const Request& request, const QString& text, short& status);
    bool readPoint(const QString& text, OdGePoint3d& point) const;
    void complain(const QString& message);
    OdGePoint3d lastPoint() const { return m_readLast ? m_readLast() : m_lastPoint; }
    void remember(const OdGePoint3d& point);

    CTqWorkbenchLispServices& m_services;
    NumberReader m_readDistance;
    NumberReader m_readAngle;
    std::function<void(double& base, bool& clockwise)> m_angleSettings;
    OdGePoint3d m_lastPoint;
    std::function<OdGePoint3d()> m_readLast;
    std::function<void(const OdGePoint3d&)> m_writeLast;
    int m_bits = 0;
    QStringList m_keywords;
};
