// Makes an empty object of the class that a DXF record name stands for; names the database does
// not model give objects that keep their group codes.
#pragma once

#include "OdDbSymbolTable.h"

#include <QStringView>

#include <memory>

class OdDbEntity;
class OdDbObject;

namespace OdDbObjectFactory {

// An entity for a record of the BLOCKS or ENTITIES section ("LINE", "HATCH", …), BLOCK and
// ENDBLK included.
std::unique_ptr<OdDbEntity> createEntity(QStringView dxfName);
// A non-graphical object for a record of the OBJECTS section ("DICTIONARY", "XRECORD", …).
std::unique_ptr<OdDbObject> createObject(QStringView dxfName);
// A record of a symbol table.
std::unique_ptr<OdDbObject> createRecord(OdDbSymbolTable::Kind kind);
// True for the entity names the database models in detail.
bool isModelledEntity(QStringView dxfName);

}  // namespace OdDbObjectFactory
