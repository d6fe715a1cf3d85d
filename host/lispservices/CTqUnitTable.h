// The units cvunit converts between, read from unit definition files: the host's own
// (":/units/units.def") and the users' ("units.def" in the settings folder and the support
// folders, read after it, so that they add units and redefine them).
//
// One unit a line; "#" starts a comment:
//     kind: name[, other name ...] = factor [unit] [+ offset | - offset]
// A value v in the unit is v * factor + offset in the kind's base unit (factor 1, no offset).
// The factor is a number or a fraction a/b, optionally followed by a unit of the same kind
// defined before (its factor multiplies); an offset is a number or a fraction. Names compare
// without regard to case and with runs of spaces as one space.
#pragma once

#include <QHash>
#include <QString>

#include <optional>

class CTqUnitTable {
public:
    // Adds the units of a definition text; returns how many lines it could not read (skipped).
    int Read(const QString& text);
    // The same for a file; false when it cannot be opened.
    bool ReadFile(const QString& path);

    bool Contains(const QString& name) const { return m_units.contains(Key(name)); }
    // Nothing when a unit is unknown or the two are of different kinds.
    std::optional<double> Convert(double value, const QString& from, const QString& to) const;

private:
    struct Unit {
        QString kind;
        double factor = 1.0;
        double offset = 0.0;
    };
    static QString Key(const QString& name);
    bool ReadLine(const QString& line);

    QHash<QString, Unit> m_units;
};
