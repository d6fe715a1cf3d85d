// The workbench's selection sets: sets of objects of one drawing, made by ssget's modes with
// filter lists, by picking on the command line, or one object at a time; the pick-first
// selection; and the numbers that name the sets.
//
// A set is named (database number, set number). Without a mode the user selects on the command
// line, one answer per line until an empty one: a point picks the nearest object (as
// CTqWorkbenchEntityServices picks), "ALL" takes every object, "L" the last one, "P" the
// previous set, "W" and "C" followed by two corner points a window or crossing, a handle its
// object; "R" switches to removing and "A" back to adding; with ":S" the first object ends it.
// A window takes what lies entirely inside, a crossing also what crosses its edges: lines,
// polylines, circles and arcs (by their circle) by their outline, other objects by the points
// that define them; polygon windows judge every object by those points.
#pragma once

#include "host/CTqDrawingServices.h"
#include "../sdk/db/OdDbObjectId.h"
#include "../sdk/db/OdGePoint3d.h"

#include <QString>

#include <functional>
#include <map>
#include <unordered_set>
#include <vector>

class CTqWorkbenchLispServices;
class CTqSelectionFilter;
class OdDbDatabase;

class CTqWorkbenchSelectionServices final : public CTqSelectionServices {
public:
    explicit CTqWorkbenchSelectionServices(CTqWorkbenchLispServices& services) : m_services(services) {}

    short SelectionSetGet(const CTqString* mode, const TqResultBuffer* points, const double* second,
                          const TqResultBuffer* filter, TqName& set) override;
    short SelectionSetAdd(TqName entity, const TqName* set, TqName& result) override;
    short SelectionSetDeleteMember(TqName entity, TqName set) override;
    short SelectionSetLength(TqName set, std::int32_t& length) override;
    short SelectionSetName(TqName set, std::int64_t index, TqName& entity) override;
    short SelectionSetNameDetails(TqName set, int index, TqResultBuffer*& details) override;
    short SelectionSetMember(TqName entity, TqName set) override;
    short SelectionSetDatabase(TqName set, std::int32_t& number) override;
    short SetPickFirst(const TqName* set) override;
    short GetPickFirst(TqResultBuffer*& grips, TqResultBuffer*& picked) override;
    short SetPreselection(const TqName* set) override;
    short RemoveFromSelection(TqName set) override;
    short RemoveAllFromSelection() override;
    short RemoveDeleted() override;
    short SelectAll() override;
    short DeselectAll() override;

    // The engine-facing selection-set calls of CTqLispServices. Every node an engine makes for a
    // set confirms it and every node it releases frees it, so a set lives while a node names it
    // and goes when the last one does.
    short Confirm(TqName set);
    short Free(TqName set);
    std::uint32_t Number(TqName set) const { return std::uint32_t(set.word2); }
    std::uint32_t Document(TqName set) const;

private:
    // How a member came into its set, as ssnamex reports it.
    enum Method : short { kNonSpecific = 0, kPick = 1, kWindow = 2, kCrossing = 3 };
    struct Member {
        OdDbObjectId id;
        Method method = kNonSpecific;
        OdGePoint3d point;
    };
    struct Set {
        std::uint64_t database = 0;
        int references = 0;
        std::vector<Member> members;
        // Membership without walking the members: sets of the whole drawing are common.
        std::unordered_set<OdDbObjectId> index;
        bool contains(OdDbObjectId id) const { return index.count(id) != 0; }
        void add(const Member& member);
        void remove(OdDbObjectId id);
        void dropErased();
    };
    using Test = std::function<bool(OdDbObjectId)>;

    OdDbDatabase* database();
    short fail(int errorNumber);
    Set* find(TqName name);
    TqName store(Set set);
    // Main objects of both spaces in drawing order that pass the test.
    std::vector<OdDbObjectId> objects(const OdDbDatabase& db, const Test& test) const;
    // single: the first object picked ends the selection (":S").
    short selectInteractively(OdDbDatabase& db, const Test& accepts, Set& set, bool single);

    CTqWorkbenchLispServices& m_services;
    std::map<std::uint64_t, Set> m_sets;
    std::uint64_t m_nextNumber = 1;
    Set m_previous;
    Set m_pickFirst;
};
