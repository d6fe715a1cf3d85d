// The workbench's system variables, unit formats and geometry (CTqUnitServices) over the
// current document's drawing and the host session.
#pragma once

#include "CTqSystemVariables.h"
#include "CTqUnitTable.h"
#include "host/CTqUnitServices.h"

#include <QStringList>

#include <memory>

class CTqWorkbenchLispServices;

class CTqWorkbenchUnitServices final : public CTqUnitServices {
public:
    explicit CTqWorkbenchUnitServices(CTqWorkbenchLispServices& services) : m_services(services), m_variables(services) {}

    CTqSystemVariables& Variables() { return m_variables; }

    short VariableType(const CTqString& name) override;
    short GetVariable(const CTqString& name, TqResultBuffer*& value) override;
    short SetVariable(const CTqString& name, const TqResultBuffer& value) override;
    short ReplacementName(const CTqString& name, CTqString& replacement) override;

    short Distance(const double (&from)[3], const double (&to)[3], double& distance) override;
    short Angle(const double (&from)[3], const double (&to)[3], double& angle) override;
    short Polar(const double (&base)[3], double angle, double distance, double (&point)[3]) override;
    short Intersection(const double (&p1)[3], const double (&p2)[3], const double (&p3)[3], const double (&p4)[3], bool segmentsOnly,
                       double (&point)[3]) override;
    // Height, width factor and obliquing from the list, else from the text style it names (or
    // TEXTSTYLE), the height else from TEXTSIZE; measured by TqTextMetric.
    short TextBox(const TqResultBuffer* text, double (&lower)[3], double (&upper)[3]) override;
    short TransformPoint(const double (&point)[3], const TqResultBuffer& from, const TqResultBuffer& to, bool displacement,
                         double (&result)[3]) override;
    short SnapPoint(const double (&point)[3], const CTqString& modes, double (&result)[3]) override;

    short FormatDistance(double value, int mode, int precision, char16_t* text, int size) override;
    short FormatAngle(double angle, int mode, int precision, char16_t* text, int size) override;
    short ParseDistance(const CTqString& text, int mode, double& value) override;
    short ParseAngle(const CTqString& text, int mode, double& angle) override;
    // The units of ":/units/units.def", then of "units.def" in the settings folder and in each
    // support folder; read again when those folders change.
    short ConvertUnit(double value, const CTqString& from, const CTqString& to, double& result) override;

private:
    short Fail(int errorNumber);
    short Written(const QString& text, char16_t* buffer, int size);
    const CTqUnitTable& Units();

    CTqWorkbenchLispServices& m_services;
    CTqSystemVariables m_variables;
    std::unique_ptr<CTqUnitTable> m_units;
    QStringList m_unitFiles;  // the user files m_units was read with
};
