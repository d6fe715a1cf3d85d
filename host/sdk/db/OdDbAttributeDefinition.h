// ATTDEF: the definition of an attribute in a block, with its prompt.
#pragma once

#include "OdDbAttributeCommon.h"

class OdDbAttributeDefinition : public OdDbObjectImpl<OdDbAttributeDefinition, OdDbAttributeCommon> {
public:
    QString dxfName() const override { return QStringLiteral("ATTDEF"); }

    const QString& prompt() const { return m_prompt; }
    void setPrompt(const QString& prompt) { m_prompt = prompt; }

protected:
    QLatin1String attributeSubclass() const override { return QLatin1String("AcDbAttributeDefinition"); }
    void writePrompt(OdDbDxfOut& out) const override { out.string(3, m_prompt); }
    bool readPrompt(const OdDbTag& tag) override
    {
        if (tag.code() != 3)
            return false;
        m_prompt = tag.string();
        return true;
    }

private:
    QString m_prompt;
};
