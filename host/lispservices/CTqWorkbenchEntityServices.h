// The workbench's entity services over the current document's drawing database: data lists in
// and out, walking, erasing, and picking objects with points typed on the command line.
//
// Complex objects are made the way programs make them one record at a time: a POLYLINE (or an
// INSERT with attributes following, 66 = 1) waits for its VERTEX (ATTRIB) records and joins the
// drawing with its SEQEND; a BLOCK collects the objects made after it and becomes a block
// definition with its ENDBLK, which answers with the block's name as a keyword.
#pragma once

#include "host/CTqDrawingServices.h"
#include "../sdk/db/OdDbTag.h"

#include <memory>
#include <vector>

class CTqWorkbenchLispServices;
class OdDbDatabase;
class OdDbEntity;
class OdDbObject;

class CTqWorkbenchEntityServices final : public CTqEntityServices {
public:
    explicit CTqWorkbenchEntityServices(CTqWorkbenchLispServices& services);
    ~CTqWorkbenchEntityServices() override;

    short EntityGet(TqName entity, const TqResultBuffer* applications, TqResultBuffer*& data) override;
    short EntityModify(const TqResultBuffer* data) override;
    short EntityMake(const TqResultBuffer* data, TqName& made) override;
    short EntityDelete(TqName entity) override;
    short EntityNext(const TqName* current, TqName& next) override;
    short EntityLast(TqName& last) override;
    short EntityUpdate(TqName entity) override;
    short EntityAtPosition(int position, TqName& entity) override;
    short EntityCheck(TqName entity) override;
    short EntityFromHandle(const CTqString& handle, TqName& entity) override;
    // The user types a point ("x,y" or "x,y,z"), and the nearest object of the current space within
    // 1% of the drawing's size (at least 1e-6 units) is picked, or an object's handle. Enter
    // picks nothing (tq::kNone).
    short EntitySelect(const CTqString* prompt, TqName& entity, double point[3]) override;
    // Picks as EntitySelect does, then goes on into block references: the nearest object of the
    // block is picked, the matrix maps its coordinates to the drawing and the containers name the
    // references from the innermost out. For an object outside blocks containers stay null and
    // the matrix is the identity.
    short NestedEntitySelect(const CTqString* prompt, const double* pickPoint, TqName& entity, double point[3],
                             double matrix[4][4], TqResultBuffer*& containers) override;

private:
    struct Pending;
    OdDbDatabase* database();
    // The live object a name of the current drawing stands for; else null and error 73 set.
    OdDbObject* open(TqName name, bool allowErased = false);
    short fail(int errorNumber);
    short makeComplexPart(OdDbDatabase& db, const QString& type, std::unique_ptr<OdDbEntity> entity, TqName& made);

    CTqWorkbenchLispServices& m_services;
    std::unique_ptr<Pending> m_pending;
    TqName m_lastPicked;
    TqName m_lastMade;
    TqName m_lastModified;
};
