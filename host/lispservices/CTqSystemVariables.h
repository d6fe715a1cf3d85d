// The values of the system variables of TqSystemVariableTable: read from and written to the
// current drawing's header, the session or what they are computed from, with the checks of
// types, ranges and read-only variables.
#pragma once

#include "TqSystemVariableTable.h"
#include "TqUnitSettings.h"
#include "host/TqResultBuffer.h"

#include <QElapsedTimer>
#include <QHash>
#include <QString>

class CTqWorkbenchLispServices;
class OdDbDatabase;

class CTqSystemVariables {
public:
    explicit CTqSystemVariables(CTqWorkbenchLispServices& services);

    // tq::kNormal and one new record of the variable's type, or tq::kError with the error number.
    short Get(const QString& name, TqResultBuffer*& record);
    // tq::kNormal, or tq::kError with tq::kErrUnknownVariable (unknown or read-only),
    // tq::kErrParameterOutOfRange or tq::kErrBadValue.
    short Set(const QString& name, const TqResultBuffer& record);

    // The drawing's unit settings.
    TqUnitSettings UnitSettings();
    double Real(const char* name);

    struct Value {
        double number = 0.0;
        double point[3] = {0.0, 0.0, 0.0};
        QString text;
    };
    Value Read(const TqVariableDefinition& definition);

private:
    Value Default(const TqVariableDefinition& definition) const;
    Value Computed(const TqVariableDefinition& definition);
    short Write(const TqVariableDefinition& definition, const Value& value);
    short Check(const TqVariableDefinition& definition, const Value& value) const;
    short Fail(int errorNumber);
    OdDbDatabase* Database() const;

    CTqWorkbenchLispServices& m_services;
    QHash<QString, Value> m_session;
    QElapsedTimer m_clock;
};
