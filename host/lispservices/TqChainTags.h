// Result-buffer chains and the group-code lists of drawing objects, in both directions, and the
// two-word names objects travel under.
#pragma once

#include "host/CTqDrawingServices.h"
#include "../sdk/db/OdDbTag.h"

#include <QString>

class OdDbDatabase;

// The drawing of the host's current document; null when no document is open.
OdDbDatabase* TqCurrentDatabase();

// (database serial number, handle); the null name for a null id.
TqName TqNameOf(OdDbObjectId id);
// The object of a name of this database, erased or not; null for a name of another database or
// a handle no object carries.
OdDbObjectId TqIdOf(const OdDbDatabase& database, TqName name);

// One tag per record, each value converted to the type the database keeps for its code. False
// and a message naming the record for a value the code cannot take or a name of another drawing.
bool TqChainToTags(const TqResultBuffer* chain, const OdDbDatabase& database, OdDbTagList& tags, QString& message);
// One record per tag, typed by the value type of its code. False when memory runs out (the
// partial chain is freed).
bool TqTagsToChain(const OdDbTagList& tags, TqResultBuffer*& chain);
