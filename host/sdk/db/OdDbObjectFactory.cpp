// Object classes by DXF record name.
#include "OdDbObjectFactory.h"

#include "OdDbArc.h"
#include "OdDbAttribute.h"
#include "OdDbAttributeDefinition.h"
#include "OdDbBlockBegin.h"
#include "OdDbBlockEnd.h"
#include "OdDbBlockReference.h"
#include "OdDbBlockTableRecord.h"
#include "OdDbCircle.h"
#include "OdDbDictionary.h"
#include "OdDbEllipse.h"
#include "OdDbFace.h"
#include "OdDbHeavyPolyline.h"
#include "OdDbLayerTableRecord.h"
#include "OdDbLine.h"
#include "OdDbLinetypeTableRecord.h"
#include "OdDbMText.h"
#include "OdDbPoint.h"
#include "OdDbPolyline.h"
#include "OdDbRay.h"
#include "OdDbSequenceEnd.h"
#include "OdDbSolid.h"
#include "OdDbSpline.h"
#include "OdDbText.h"
#include "OdDbTextStyleTableRecord.h"
#include "OdDbUnmodelledEntity.h"
#include "OdDbUnmodelledObject.h"
#include "OdDbVertex.h"
#include "OdDbXline.h"
#include "OdDbXrecord.h"
#include "OdVLObject.h"

#include <array>

namespace {

using EntityMaker = std::unique_ptr<OdDbEntity> (*)();

template <class T>
std::unique_ptr<OdDbEntity> make()
{
    return std::make_unique<T>();
}

struct EntityClass {
    const char* name;
    EntityMaker maker;
};

constexpr std::array kEntities{
    EntityClass{"LINE", &make<OdDbLine>},
    EntityClass{"POINT", &make<OdDbPoint>},
    EntityClass{"CIRCLE", &make<OdDbCircle>},
    EntityClass{"ARC", &make<OdDbArc>},
    EntityClass{"ELLIPSE", &make<OdDbEllipse>},
    EntityClass{"LWPOLYLINE", &make<OdDbPolyline>},
    EntityClass{"POLYLINE", &make<OdDbHeavyPolyline>},
    EntityClass{"VERTEX", &make<OdDbVertex>},
    EntityClass{"SEQEND", &make<OdDbSequenceEnd>},
    EntityClass{"TEXT", &make<OdDbText>},
    EntityClass{"MTEXT", &make<OdDbMText>},
    EntityClass{"INSERT", &make<OdDbBlockReference>},
    EntityClass{"ATTRIB", &make<OdDbAttribute>},
    EntityClass{"ATTDEF", &make<OdDbAttributeDefinition>},
    EntityClass{"SOLID", &make<OdDbSolid>},
    EntityClass{"3DFACE", &make<OdDbFace>},
    EntityClass{"SPLINE", &make<OdDbSpline>},
    EntityClass{"XLINE", &make<OdDbXline>},
    EntityClass{"RAY", &make<OdDbRay>},
    EntityClass{"BLOCK", &make<OdDbBlockBegin>},
    EntityClass{"ENDBLK", &make<OdDbBlockEnd>},
};

const EntityClass* findEntity(QStringView name)
{
    for (const EntityClass& entry : kEntities) {
        if (name == QLatin1String(entry.name))
            return &entry;
    }
    return nullptr;
}

}  // namespace

namespace OdDbObjectFactory {

std::unique_ptr<OdDbEntity> createEntity(QStringView dxfName)
{
    if (const EntityClass* entry = findEntity(dxfName))
        return entry->maker();
    return std::make_unique<OdDbUnmodelledEntity>(dxfName.toString());
}

std::unique_ptr<OdDbObject> createObject(QStringView dxfName)
{
    if (dxfName == QLatin1String("DICTIONARY") || dxfName == QLatin1String("ACDBDICTIONARYWDFLT"))
        return std::make_unique<OdDbDictionary>(dxfName.toString());
    if (dxfName == QLatin1String("XRECORD"))
        return std::make_unique<OdDbXrecord>();
    if (dxfName == QLatin1String(OdVLObject::kDxfName))
        return std::make_unique<OdVLObject>();
    return std::make_unique<OdDbUnmodelledObject>(dxfName.toString());
}

std::unique_ptr<OdDbObject> createRecord(OdDbSymbolTable::Kind kind)
{
    switch (kind) {
    case OdDbSymbolTable::Kind::kLayer:
        return std::make_unique<OdDbLayerTableRecord>();
    case OdDbSymbolTable::Kind::kLinetype:
        return std::make_unique<OdDbLinetypeTableRecord>();
    case OdDbSymbolTable::Kind::kTextStyle:
        return std::make_unique<OdDbTextStyleTableRecord>();
    case OdDbSymbolTable::Kind::kBlock:
        return std::make_unique<OdDbBlockTableRecord>();
    case OdDbSymbolTable::Kind::kViewport:
    case OdDbSymbolTable::Kind::kView:
    case OdDbSymbolTable::Kind::kUCS:
    case OdDbSymbolTable::Kind::kRegApp:
    case OdDbSymbolTable::Kind::kDimStyle:
        return std::make_unique<OdDbSymbolTableRecord>(kind);
    }
    return std::make_unique<OdDbSymbolTableRecord>(kind);
}

bool isModelledEntity(QStringView dxfName)
{
    return findEntity(dxfName) != nullptr;
}

}  // namespace OdDbObjectFactory
