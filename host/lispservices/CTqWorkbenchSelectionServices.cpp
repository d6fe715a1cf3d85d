// The workbench's selection sets.
#include "CTqWorkbenchSelectionServices.h"

#include "CTqSelectionFilter.h"
#include "CTqWorkbenchLispServices.h"
#include "TqChainTags.h"
#include "TqDrawingEdits.h"
#include "TqGeometry.h"
#include "TqPicking.h"
#include "TqResultBuffers.h"
#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "../sdk/db/OdDbBlockTableRecord.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbEntity.h"
#include "../sdk/db/OdDbObject.h"

#include <algorithm>
#include <cmath>

namespace {

std::vector<OdGePoint3d> definingPoints(OdDbObjectId id)
{
    std::vector<OdGePoint3d> points;
    if (const OdDbObject* object = id.object()) {
        for (const OdDbTag& tag : object->groupCodes()) {
            if (tag.type() == OdDxfCode::Type::Point && tag.code() >= 10 && tag.code() <= 18)
                points.push_back(tag.point());
        }
    }
    return points;
}

bool insidePolygon(const std::vector<OdGePoint3d>& polygon, const OdGePoint3d& p)
{
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const OdGePoint3d& a = polygon[i];
        const OdGePoint3d& b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

// Window (all points inside) or crossing (any point inside) against an area test.
bool enclosed(OdDbObjectId id, bool crossing, const std::function<bool(const OdGePoint3d&)>& inside)
{
    const std::vector<OdGePoint3d> points = definingPoints(id);
    if (points.empty())
        return false;
    return crossing ? std::any_of(points.begin(), points.end(), inside) : std::all_of(points.begin(), points.end(), inside);
}

bool segmentsCross(const OdGePoint3d& p1, const OdGePoint3d& p2, const OdGePoint3d& q1, const OdGePoint3d& q2);

// A rectangular window against the object's real outline where it has one (lines, polylines,
// circles, arcs by their circle); other objects count by the points that define them.
bool inWindow(OdDbObjectId id, const OdGePoint3d& a, const OdGePoint3d& b, bool crossing)
{
    const OdDbObject* object = id.object();
    if (!object)
        return false;
    const double minX = std::min(a.x, b.x), maxX = std::max(a.x, b.x), minY = std::min(a.y, b.y), maxY = std::max(a.y, b.y);
    auto inside = [&](const OdGePoint3d& p) { return p.x >= minX && p.x <= maxX && p.y >= minY && p.y <= maxY; };
    const QString type = object->dxfName();
    const OdDbTagList tags = object->groupCodes();
    if (type == QLatin1String("CIRCLE") || type == QLatin1String("ARC")) {
        OdGePoint3d center;
        double radius = 0.0;
        for (const OdDbTag& tag : tags) {
            if (tag.code() == 10)
                center = tag.point();
            else if (tag.code() == 40)
                radius = tag.number();
        }
        const bool whole = center.x - radius >= minX && center.x + radius <= maxX && center.y - radius >= minY && center.y + radius <= maxY;
        if (!crossing)
            return whole;
        // The circle meets the window unless the window lies wholly inside it or wholly apart.
        const double nearX = std::clamp(center.x, minX, maxX), nearY = std::clamp(center.y, minY, maxY);
        const double nearest = std::hypot(center.x - nearX, center.y - nearY);
        const double farX = std::max(std::fabs(center.x - minX), std::fabs(center.x - maxX));
        const double farY = std::max(std::fabs(center.y - minY), std::fabs(center.y - maxY));
        return nearest <= radius && std::hypot(farX, farY) >= radius;
    }
    std::vector<OdGePoint3d> outline;
    bool closed = false;
    if (type == QLatin1String("LINE")) {
        for (const OdDbTag& tag : tags) {
            if (tag.code() == 10 || tag.code() == 11)
                outline.push_back(tag.point());
        }
    } else if (type == QLatin1String("LWPOLYLINE")) {
        for (const OdDbTag& tag : tags) {
            if (tag.code() == 10)
                outline.push_back(tag.point());
            else if (tag.code() == 70)
                closed = (tag.integer() & 1) != 0;
        }
    }
    if (outline.empty()) {
        // Text, block references and the rest count by their extents.
        const TqExtents extents = TqExtentsOf(id);
        if (!extents.valid)
            return false;
        if (!crossing)
            return inside(extents.min) && inside(extents.max);
        return extents.min.x <= maxX && extents.max.x >= minX && extents.min.y <= maxY && extents.max.y >= minY;
    }
    if (!crossing || std::any_of(outline.begin(), outline.end(), inside))
        return std::all_of(outline.begin(), outline.end(), inside) || crossing;
    const OdGePoint3d corners[4] = {{minX, minY, 0}, {maxX, minY, 0}, {maxX, maxY, 0}, {minX, maxY, 0}};
    const std::size_t count = outline.size();
    for (std::size_t i = 0; i + 1 < count + (closed ? 1 : 0); ++i) {
        for (int edge = 0; edge < 4; ++edge) {
            if (segmentsCross(outline[i], outline[(i + 1) % count], corners[edge], corners[(edge + 1) % 4]))
                return true;
        }
    }
    return false;
}

bool segmentsCross(const OdGePoint3d& p1, const OdGePoint3d& p2, const OdGePoint3d& q1, const OdGePoint3d& q2)
{
    auto side = [](const OdGePoint3d& a, const OdGePoint3d& b, const OdGePoint3d& c) {
        return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
    };
    const double d1 = side(q1, q2, p1), d2 = side(q1, q2, p2), d3 = side(p1, p2, q1), d4 = side(p1, p2, q2);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0));
}

std::vector<OdGePoint3d> chainPoints(const TqResultBuffer* points)
{
    std::vector<OdGePoint3d> result;
    for (const TqResultBuffer* record = points; record; record = record->next)
        result.push_back({record->value.point[0], record->value.point[1], record->value.point[2]});
    return result;
}

}  // namespace

void CTqWorkbenchSelectionServices::Set::add(const Member& member)
{
    if (index.insert(member.id).second)
        members.push_back(member);
}

void CTqWorkbenchSelectionServices::Set::dropErased()
{
    std::erase_if(members, [this](const Member& member) {
        const bool erased = member.id.isErased();
        if (erased)
            index.erase(member.id);
        return erased;
    });
}

void CTqWorkbenchSelectionServices::Set::remove(OdDbObjectId id)
{
    if (index.erase(id))
        std::erase_if(members, [&](const Member& member) { return member.id == id; });
}

OdDbDatabase* CTqWorkbenchSelectionServices::database()
{
    return TqCurrentDatabase();
}

short CTqWorkbenchSelectionServices::fail(int errorNumber)
{
    m_services.SetErrorNumber(errorNumber);
    return tq::kError;
}

CTqWorkbenchSelectionServices::Set* CTqWorkbenchSelectionServices::find(TqName name)
{
    // Sets of a drawing that is not the current one hold ids of a database that may be gone.
    const OdDbDatabase* db = database();
    const auto found = m_sets.find(name.word2);
    if (!db || found == m_sets.end() || found->second.database != name.word1 || name.word1 != db->serialNumber())
        return nullptr;
    return &found->second;
}

TqName CTqWorkbenchSelectionServices::store(Set set)
{
    const std::uint64_t number = m_nextNumber++;
    const std::uint64_t db = set.database;
    set.references = 0;
    m_sets.emplace(number, std::move(set));
    return {db, number};
}

short CTqWorkbenchSelectionServices::Confirm(TqName set)
{
    const auto found = m_sets.find(set.word2);
    if (found == m_sets.end() || found->second.database != set.word1)
        return tq::kError;
    ++found->second.references;
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::Free(TqName set)
{
    const auto found = m_sets.find(set.word2);
    if (found == m_sets.end() || found->second.database != set.word1)
        return tq::kError;
    if (--found->second.references <= 0)
        m_sets.erase(found);
    return tq::kNormal;
}

std::uint32_t CTqWorkbenchSelectionServices::Document(TqName set) const
{
    const auto found = m_sets.find(set.word2);
    return found != m_sets.end() ? std::uint32_t(found->second.database) : 0xFFFFFFFFu;
}

std::vector<OdDbObjectId> CTqWorkbenchSelectionServices::objects(const OdDbDatabase& db, const Test& test) const
{
    std::vector<OdDbObjectId> found;
    for (OdDbObjectId spaceId : {db.getModelSpaceId(), db.getPaperSpaceId()}) {
        const auto* space = spaceId.openObject<OdDbBlockTableRecord>();
        if (!space)
            continue;
        for (OdDbObjectId id : space->entityIds()) {
            const OdDbObject* object = id.object();
            if (object && !object->isErased() && test(id))
                found.push_back(id);
        }
    }
    return found;
}

short CTqWorkbenchSelectionServices::selectInteractively(OdDbDatabase& db, const Test& accepts, Set& set, bool single)
{
    bool removing = false;
    auto take = [&](OdDbObjectId id, Method method, const OdGePoint3d& point) {
        if (!accepts(id))
            return;
        if (removing)
            set.remove(id);
        else
            set.add({id, method, point});
    };
    auto readCorner = [&](const QString& prompt, OdGePoint3d& point) -> short {
        for (;;) {
            CTqString line;
            const short status = m_services.GetLine(CTqString(prompt), line);
            if (status != tq::kNormal)
                return status;
            if (TqParsePoint(line.toQString(), point))
                return tq::kNormal;
            m_services.PrintHtml(CTqString(QStringLiteral("\nInvalid point.")));
        }
    };
    for (;;) {
        CTqString line;
        const short status = m_services.GetLine(CTqString(removing ? QStringLiteral("\nRemove objects: ") : QStringLiteral("\nSelect objects: ")), line);
        if (status != tq::kNormal)
            return status;
        const QString answer = line.toQString().trimmed().toUpper().remove(QLatin1Char('_'));
        OdGePoint3d point;
        if (answer.isEmpty())
            return tq::kNormal;
        if (TqParsePoint(answer, point)) {
            const OdDbObjectId id = TqPickNearest(db, point);
            if (id.isNull()) {
                m_services.PrintHtml(CTqString(QStringLiteral("\nNothing selected.")));
            } else {
                take(id, kPick, point);
                if (single)
                    return tq::kNormal;
            }
        } else if (answer == QLatin1String("ALL")) {
            for (OdDbObjectId id : objects(db, [](OdDbObjectId) { return true; }))
                take(id, kNonSpecific, {});
        } else if (answer == QLatin1String("L")) {
            if (OdDbObjectId last = db.lastEntity(); !last.isNull())
                take(last, kNonSpecific, {});
        } else if (answer == QLatin1String("P")) {
            if (m_previous.database == db.serialNumber()) {
                for (const Member& member : m_previous.members)
                    take(member.id, kNonSpecific, {});
            }
        } else if (answer == QLatin1String("W") || answer == QLatin1String("C")) {
            OdGePoint3d a, b;
            short corner = readCorner(QStringLiteral("\nFirst corner: "), a);
            if (corner == tq::kNormal)
                corner = readCorner(QStringLiteral("\nOther corner: "), b);
            if (corner != tq::kNormal)
                return corner;
            const bool crossing = answer == QLatin1String("C");
            for (OdDbObjectId id : objects(db, [&](OdDbObjectId id) { return inWindow(id, a, b, crossing); }))
                take(id, crossing ? kCrossing : kWindow, {});
        } else if (answer == QLatin1String("R")) {
            removing = true;
        } else if (answer == QLatin1String("A")) {
            removing = false;
        } else if (const OdDbObjectId typed = TqEntityFromHandleText(db, answer); !typed.isNull()) {
            take(typed, kNonSpecific, {});
            if (single)
                return tq::kNormal;
        } else {
            m_services.PrintHtml(CTqString(QStringLiteral("\nInvalid selection.")));
        }
    }
}

short CTqWorkbenchSelectionServices::SelectionSetGet(const CTqString* mode, const TqResultBuffer* points, const double* second,
                                                     const TqResultBuffer* filter, TqName& name)
{
    name = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    CTqSelectionFilter test;
    if (filter) {
        OdDbTagList tags;
        QString message;
        if (!TqChainToTags(filter, *db, tags, message) || !test.Parse(tags, message))
            return fail(tq::kErrBadData);
    }
    const Test accepts = [&](OdDbObjectId id) {
        const OdDbObject* object = id.object();
        return object && !object->isErased() && test.Matches(object->groupCodes([](const QString&) { return true; }));
    };
    Set set;
    set.database = db->serialNumber();
    // Options after a colon (":S" single, ":E" everything in the aperture) change how a user
    // picks, not what a mode takes.
    QString modeText = mode ? mode->toQString().trimmed().toUpper() : QString();
    modeText.remove(QLatin1Char('_'));
    const bool single = modeText.contains(QLatin1String(":S"));
    if (const qsizetype colon = modeText.indexOf(QLatin1Char(':')); colon >= 0)
        modeText.truncate(colon);
    modeText.remove(QLatin1Char('+'));
    modeText.remove(QLatin1Char('.'));
    const std::vector<OdGePoint3d> given = chainPoints(points);
    auto addAll = [&](const std::vector<OdDbObjectId>& ids, Method method) {
        for (OdDbObjectId id : ids)
            set.add({id, method, {}});
    };
    if (modeText.isEmpty()) {
        if (!given.empty() && !second) {
            // A point without a mode picks there.
            const OdDbObjectId id = TqPickNearest(*db, given.front());
            if (!id.isNull() && accepts(id))
                set.add({id, kPick, given.front()});
        } else if (!given.empty() && second) {
            const OdGePoint3d a = given.front();
            const OdGePoint3d b{second[0], second[1], second[2]};
            addAll(objects(*db, [&](OdDbObjectId id) { return accepts(id) && inWindow(id, a, b, true); }), kCrossing);
        } else {
            const short status = selectInteractively(*db, accepts, set, single);
            if (status != tq::kNormal)
                return status;
        }
    } else if (modeText == QLatin1String("X") || modeText == QLatin1String("A")) {
        addAll(objects(*db, accepts), kNonSpecific);
    } else if (modeText == QLatin1String("L")) {
        if (OdDbObjectId last = db->lastEntity(); !last.isNull() && accepts(last))
            set.add({last, kNonSpecific, {}});
    } else if (modeText == QLatin1String("P")) {
        if (m_previous.database == db->serialNumber()) {
            for (const Member& member : m_previous.members) {
                if (accepts(member.id))
                    set.add(member);
            }
        }
    } else if (modeText == QLatin1String("I")) {
        if (m_pickFirst.database == db->serialNumber()) {
            for (const Member& member : m_pickFirst.members) {
                if (accepts(member.id))
                    set.add(member);
            }
        }
    } else if (modeText == QLatin1String("W") || modeText == QLatin1String("C")) {
        if (given.empty() || !second)
            return fail(tq::kErrBadData);
        const OdGePoint3d a = given.front();
        const OdGePoint3d b{second[0], second[1], second[2]};
        const bool crossing = modeText == QLatin1String("C");
        addAll(objects(*db, [&](OdDbObjectId id) { return accepts(id) && inWindow(id, a, b, crossing); }),
               crossing ? kCrossing : kWindow);
    } else if (modeText == QLatin1String("WP") || modeText == QLatin1String("CP")) {
        if (given.size() < 3)
            return fail(tq::kErrBadData);
        const bool crossing = modeText == QLatin1String("CP");
        addAll(objects(*db, [&](OdDbObjectId id) {
                   return accepts(id) && enclosed(id, crossing, [&](const OdGePoint3d& p) { return insidePolygon(given, p); });
               }), crossing ? kCrossing : kWindow);
    } else if (modeText == QLatin1String("F")) {
        if (given.size() < 2)
            return fail(tq::kErrBadData);
        addAll(objects(*db, [&](OdDbObjectId id) {
                   if (!accepts(id))
                       return false;
                   const std::vector<OdGePoint3d> points = definingPoints(id);
                   for (std::size_t i = 1; i < given.size(); ++i) {
                       for (std::size_t k = 1; k < points.size(); ++k) {
                           if (segmentsCross(given[i - 1], given[i], points[k - 1], points[k]))
                               return true;
                       }
                       if (TqDistanceToEntity(id, given[i]) < 1e-9 || TqDistanceToEntity(id, given[i - 1]) < 1e-9)
                           return true;
                   }
                   return false;
               }), kNonSpecific);
    } else {
        return fail(tq::kErrBadData);
    }
    if (set.members.empty())
        return tq::kNone;
    m_previous = set;
    name = store(std::move(set));
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectionSetAdd(TqName entity, const TqName* setName, TqName& result)
{
    result = {};
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    OdDbObjectId id;
    if (!entity.isNull()) {
        id = TqIdOf(*db, entity);
        const OdDbObject* object = id.object();
        if (!object || object->isErased() || !dynamic_cast<const OdDbEntity*>(object))
            return fail(tq::kErrInvalidEntity);
    }
    if (setName) {
        Set* set = find(*setName);
        if (!set)
            return fail(tq::kErrInvalidEntity);
        if (!id.isNull())
            set->add({id, kNonSpecific, {}});
        result = *setName;
        return tq::kNormal;
    }
    Set set;
    set.database = db->serialNumber();
    if (!id.isNull())
        set.add({id, kNonSpecific, {}});
    result = store(std::move(set));
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectionSetDeleteMember(TqName entity, TqName setName)
{
    Set* set = find(setName);
    OdDbDatabase* db = database();
    if (!set || !db)
        return fail(tq::kErrInvalidEntity);
    const OdDbObjectId id = TqIdOf(*db, entity);
    if (id.isNull() || !set->contains(id))
        return tq::kNone;
    set->remove(id);
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectionSetLength(TqName setName, std::int32_t& length)
{
    length = 0;
    const Set* set = find(setName);
    if (!set)
        return fail(tq::kErrInvalidEntity);
    length = std::int32_t(set->members.size());
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectionSetName(TqName setName, std::int64_t index, TqName& entity)
{
    entity = {};
    const Set* set = find(setName);
    if (!set)
        return fail(tq::kErrInvalidEntity);
    if (index < 0 || std::uint64_t(index) >= set->members.size())
        return tq::kNone;
    entity = TqNameOf(set->members[std::size_t(index)].id);
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectionSetNameDetails(TqName setName, int index, TqResultBuffer*& details)
{
    details = nullptr;
    const Set* set = find(setName);
    if (!set)
        return fail(tq::kErrInvalidEntity);
    if (index >= 0 && std::size_t(index) >= set->members.size())
        return tq::kNone;
    TqResultBuffer* tail = nullptr;
    bool ok = true;
    auto add = [&](short type) -> TqResultBuffer* {
        TqResultBuffer* record = TqNewResultBuffer(type);
        if (!record) {
            ok = false;
            return nullptr;
        }
        (tail ? tail->next : details) = record;
        tail = record;
        return record;
    };
    const std::size_t first = index < 0 ? 0 : std::size_t(index);
    const std::size_t last = index < 0 ? set->members.size() : first + 1;
    for (std::size_t i = first; i < last && ok; ++i) {
        const Member& member = set->members[i];
        const TqName name = TqNameOf(member.id);
        // (method entity-name 0 [(0 point)])
        add(tqrt::kListBegin);
        if (TqResultBuffer* method = add(tqrt::kShort))
            method->value.int16 = member.method;
        if (TqResultBuffer* entity = add(tqrt::kEntityName)) {
            entity->value.name[0] = name.word1;
            entity->value.name[1] = name.word2;
        }
        add(tqrt::kShort);
        if (member.method == kPick) {
            add(tqrt::kListBegin);
            add(tqrt::kShort);
            if (TqResultBuffer* point = add(tqrt::kPoint3d)) {
                point->value.point[0] = member.point.x;
                point->value.point[1] = member.point.y;
                point->value.point[2] = member.point.z;
            }
            add(tqrt::kListEnd);
        }
        add(tqrt::kListEnd);
    }
    if (!ok) {
        TqReleaseChain(details);
        details = nullptr;
        return tq::kFailure;
    }
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectionSetMember(TqName entity, TqName setName)
{
    const Set* set = find(setName);
    OdDbDatabase* db = database();
    if (!set || !db)
        return fail(tq::kErrInvalidEntity);
    const OdDbObjectId id = TqIdOf(*db, entity);
    return !id.isNull() && set->contains(id) ? tq::kNormal : tq::kNone;
}

short CTqWorkbenchSelectionServices::SelectionSetDatabase(TqName setName, std::int32_t& number)
{
    number = 0;
    const Set* set = find(setName);
    if (!set)
        return fail(tq::kErrInvalidEntity);
    number = std::int32_t(set->database);
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SetPickFirst(const TqName* setName)
{
    OdDbDatabase* db = database();
    m_pickFirst = {};
    m_pickFirst.database = db ? db->serialNumber() : 0;
    if (!setName)
        return tq::kNormal;
    const Set* set = find(*setName);
    if (!set)
        return fail(tq::kErrInvalidEntity);
    m_pickFirst = *set;
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::GetPickFirst(TqResultBuffer*& grips, TqResultBuffer*& picked)
{
    grips = picked = nullptr;
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    if (m_pickFirst.database != db->serialNumber())
        return tq::kNormal;
    m_pickFirst.dropErased();
    if (m_pickFirst.members.empty())
        return tq::kNormal;
    const TqName name = store(m_pickFirst);
    picked = TqNewResultBuffer(tqrt::kSelectionSet);
    if (!picked)
        return tq::kFailure;
    picked->value.name[0] = name.word1;
    picked->value.name[1] = name.word2;
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SetPreselection(const TqName* setName)
{
    return SetPickFirst(setName);
}

short CTqWorkbenchSelectionServices::RemoveFromSelection(TqName setName)
{
    const Set* set = find(setName);
    if (!set)
        return fail(tq::kErrInvalidEntity);
    if (m_pickFirst.database == set->database) {
        for (const Member& member : set->members)
            m_pickFirst.remove(member.id);
    }
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::RemoveAllFromSelection()
{
    m_pickFirst.members.clear();
    m_pickFirst.index.clear();
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::RemoveDeleted()
{
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    for (auto& [number, set] : m_sets) {
        if (set.database == db->serialNumber())
            set.dropErased();
    }
    if (m_pickFirst.database == db->serialNumber())
        m_pickFirst.dropErased();
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::SelectAll()
{
    OdDbDatabase* db = database();
    if (!db)
        return fail(tq::kErrNoDrawing);
    m_pickFirst = {};
    m_pickFirst.database = db->serialNumber();
    for (OdDbObjectId id : objects(*db, [](OdDbObjectId) { return true; }))
        m_pickFirst.add({id, kNonSpecific, {}});
    return tq::kNormal;
}

short CTqWorkbenchSelectionServices::DeselectAll()
{
    m_pickFirst.members.clear();
    m_pickFirst.index.clear();
    return tq::kNormal;
}
