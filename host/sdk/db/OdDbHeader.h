// The header variables of a drawing ($INSBASE, $CLAYER, …) in file order, each with the tags of
// its value (usually one; a point is one tag). The DXF writer supplies $ACADVER, $DWGCODEPAGE
// and $HANDSEED itself.
#pragma once

#include "OdDbTag.h"

#include <QString>

#include <QHash>

#include <unordered_map>

class OdDbHeader {
public:
    // The variables a new drawing has.
    static OdDbHeader defaults();

    // Null when the variable is not set. Names compare without regard to case.
    const OdDbTagList* get(const QString& name) const;
    // Sets a variable, keeping its place when it exists and appending it otherwise.
    void set(const QString& name, OdDbTagList value);
    void remove(const QString& name);
    // Names in order.
    QStringList names() const;

    // The first value tag of a variable converted, or the fallback when it is missing.
    QString getString(const QString& name, const QString& fallback = QString()) const;
    double getReal(const QString& name, double fallback = 0.0) const;
    std::int64_t getInt(const QString& name, std::int64_t fallback = 0) const;
    OdGePoint3d getPoint(const QString& name, const OdGePoint3d& fallback = {}) const;

private:
    std::vector<std::pair<QString, OdDbTagList>> m_variables;
    std::unordered_map<QString, std::size_t> m_index;
};
