// Unit definitions and conversions.
#include "CTqUnitTable.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>

namespace {

// "2.54", "1e-3", "5/9".
std::optional<double> Quantity(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() > 2)
        return std::nullopt;
    bool ok = false;
    double value = parts[0].trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    if (parts.size() == 2) {
        const double divisor = parts[1].trimmed().toDouble(&ok);
        if (!ok || divisor == 0.0)
            return std::nullopt;
        value /= divisor;
    }
    return value;
}

}  // namespace

QString CTqUnitTable::Key(const QString& name)
{
    return name.simplified().toLower();
}

int CTqUnitTable::Read(const QString& text)
{
    int failures = 0;
    for (QString line : text.split(QLatin1Char('\n'))) {
        const int comment = line.indexOf(QLatin1Char('#'));
        if (comment >= 0)
            line.truncate(comment);
        if (line.trimmed().isEmpty())
            continue;
        if (!ReadLine(line))
            ++failures;
    }
    return failures;
}

bool CTqUnitTable::ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    Read(QString::fromUtf8(file.readAll()));
    return true;
}

bool CTqUnitTable::ReadLine(const QString& line)
{
    const int colon = line.indexOf(QLatin1Char(':'));
    const int equals = line.indexOf(QLatin1Char('='));
    if (colon <= 0 || equals < colon)
        return false;
    Unit unit;
    unit.kind = Key(line.left(colon));
    QStringList names;
    for (const QString& name : line.mid(colon + 1, equals - colon - 1).split(QLatin1Char(','))) {
        if (!Key(name).isEmpty())
            names << Key(name);
    }
    if (unit.kind.isEmpty() || names.isEmpty())
        return false;

    // factor [unit] [+|- offset]
    QString value = line.mid(equals + 1).simplified();
    static const QRegularExpression offsetPattern(QStringLiteral("\\s([+-])\\s*([0-9.eE/+-]+)$"));
    if (const auto match = offsetPattern.match(value); match.hasMatch()) {
        const auto offset = Quantity(match.captured(2));
        if (!offset)
            return false;
        unit.offset = match.captured(1) == QLatin1String("-") ? -*offset : *offset;
        value.truncate(match.capturedStart());
    }
    const int space = value.indexOf(QLatin1Char(' '));
    const auto factor = Quantity(space < 0 ? value : value.left(space));
    if (!factor)
        return false;
    unit.factor = *factor;
    if (space >= 0) {
        const auto base = m_units.constFind(Key(value.mid(space + 1)));
        if (base == m_units.constEnd() || base->kind != unit.kind)
            return false;
        unit.factor *= base->factor;
        unit.offset += base->offset;
    }
    if (!std::isfinite(unit.factor) || unit.factor == 0.0 || !std::isfinite(unit.offset))
        return false;
    for (const QString& name : names)
        m_units.insert(name, unit);
    return true;
}

std::optional<double> CTqUnitTable::Convert(double value, const QString& from, const QString& to) const
{
    const auto source = m_units.constFind(Key(from));
    const auto target = m_units.constFind(Key(to));
    if (source == m_units.constEnd() || target == m_units.constEnd() || source->kind != target->kind)
        return std::nullopt;
    return (value * source->factor + source->offset - target->offset) / target->factor;
}
