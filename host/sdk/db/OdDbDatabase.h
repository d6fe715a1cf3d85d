// A drawing: every object with its handle, the nine symbol tables, model space and paper space,
// the named object dictionary, the header variables and the DXF version it was read as. The
// database owns its objects; ids name them, handles find them in constant time.
#pragma once

#include "OdDbDxfVersion.h"
#include "OdDbHeader.h"
#include "OdDbObjectId.h"
#include "OdDbStub.h"
#include "OdDbSymbolTable.h"

#include <array>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>

class OdDbObject;

class OdDbDatabase {
public:
    // An empty database without tables or objects: what the DXF reader starts from.
    OdDbDatabase();
    ~OdDbDatabase();
    OdDbDatabase(const OdDbDatabase&) = delete;
    OdDbDatabase& operator=(const OdDbDatabase&) = delete;

    // A new drawing: the nine tables with layer "0", the linetypes ByBlock, ByLayer and
    // Continuous, text and dimension style Standard, application ACAD, viewport *Active; model
    // and paper space; the named object dictionary with ACAD_GROUP; the usual header variables.
    static std::unique_ptr<OdDbDatabase> createNew();

    // Distinguishes databases in a process: no two databases alive at once share one.
    std::uint64_t serialNumber() const { return m_serialNumber; }

    // --- objects and handles --------------------------------------------------------------
    // Adds an object owned by owner. With a null handle the next free handle is taken; a handle
    // an object already carries gives a null id (the object is dropped).
    OdDbObjectId addObject(std::unique_ptr<OdDbObject> object, OdDbObjectId owner, OdDbHandle handle = {});
    // The object carrying a handle, erased or not; null when none does.
    OdDbObjectId getOdDbObjectId(OdDbHandle handle) const;
    // The id of a handle whether or not an object carries it yet (a reference met before its
    // object, or one that never gets one). Null for the null handle.
    OdDbObjectId stubForHandle(OdDbHandle handle);
    // The handle the next new object gets.
    OdDbHandle handseed() const { return OdDbHandle(m_nextHandle); }
    // The largest handle in use (objects and references).
    OdDbHandle largestHandle() const { return OdDbHandle(m_largestHandle); }
    // Calls the visitor for every object in the order the objects were added.
    void forEachObject(const std::function<void(OdDbObject&)>& visit) const;
    std::size_t numObjects() const { return m_objectCount; }
    // Prepares room for about that many objects.
    void reserve(std::size_t objects);

    // --- tables, layouts, dictionaries ------------------------------------------------------
    // Never null once the database has its tables (createNew, or after a successful read).
    OdDbSymbolTable* symbolTable(OdDbSymbolTable::Kind kind) const;
    OdDbObjectId symbolTableId(OdDbSymbolTable::Kind kind) const { return m_tables[std::size_t(kind)]; }
    void setSymbolTableId(OdDbSymbolTable::Kind kind, OdDbObjectId id) { m_tables[std::size_t(kind)] = id; }
    OdDbObjectId getModelSpaceId() const;
    OdDbObjectId getPaperSpaceId() const;
    OdDbObjectId getNamedObjectsDictionaryId() const { return m_namedObjects; }
    void setNamedObjectsDictionaryId(OdDbObjectId id) { m_namedObjects = id; }
    // The APPID record of an application; null when it is not registered.
    OdDbObjectId regAppId(const QString& name) const;
    // Registers an application (or finds it). Null for a name the rules refuse.
    OdDbObjectId registerApplication(const QString& name);
    // Adds a layer with colour 7 and linetype Continuous (or finds it). Null for a bad name.
    OdDbObjectId addLayer(const QString& name);
    // Adds what every drawing needs and a file may lack (tables, the default records, model and
    // paper space with their BLOCK and ENDBLK, the named object dictionary with ACAD_GROUP).
    void addMissingDefaults();

    // --- drawing order ------------------------------------------------------------------------
    // Model space, then each paper-space layout in block-table order. With subEntities, a
    // polyline's vertices and a block reference's attributes follow their owner, each run
    // closed by its SEQEND. Erased entities are skipped.
    OdDbObjectId firstEntity() const;
    // The entity after current; null at the end. A null current starts at the first entity.
    OdDbObjectId nextEntity(OdDbObjectId current, bool subEntities) const;
    // The last live main entity of the last layout that has one.
    OdDbObjectId lastEntity() const;

    // --- file properties ----------------------------------------------------------------------
    OdDbHeader& header() { return m_header; }
    const OdDbHeader& header() const { return m_header; }
    OdDbDxfVersion version() const { return m_version; }
    void setVersion(OdDbDxfVersion version) { m_version = version; }
    // The CLASS records of the file, as read.
    const std::vector<OdDbTagList>& classes() const { return m_classes; }
    void setClasses(std::vector<OdDbTagList> classes) { m_classes = std::move(classes); }

    // --- for the DXF reader ---------------------------------------------------------------------
    // Adds an object whose handle is given later by assignPendingHandles.
    OdDbObjectId addObjectWithoutHandle(std::unique_ptr<OdDbObject> object, OdDbObjectId owner);
    // Gives every object added without a handle the next free one, in the order they came.
    void assignPendingHandles();
    // Sets the next handle; it never goes below the largest handle in use plus one.
    void setHandseed(OdDbHandle seed);

private:
    OdDbStub& newStub(OdDbHandle handle);
    void noteHandle(std::uint64_t value);
    std::vector<OdDbObjectId> layoutIds() const;

    std::uint64_t m_serialNumber;
    std::deque<OdDbStub> m_stubs;
    std::unordered_map<std::uint64_t, OdDbStub*> m_byHandle;
    std::vector<OdDbStub*> m_objectsInOrder;
    std::vector<OdDbStub*> m_pendingHandles;
    std::size_t m_objectCount = 0;
    std::uint64_t m_nextHandle = 1;
    std::uint64_t m_largestHandle = 0;
    std::array<OdDbObjectId, OdDbSymbolTable::kKindCount> m_tables{};
    OdDbObjectId m_namedObjects;
    OdDbHeader m_header;
    OdDbDxfVersion m_version = OdDbDxfVersion::kR2018;
    std::vector<OdDbTagList> m_classes;
    // Where the last sub-entity answer of nextEntity stood; checked before use.
    mutable std::size_t m_subEntityHint = 0;
};
