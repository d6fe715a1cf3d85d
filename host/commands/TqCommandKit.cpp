// What the host's drawing commands share.
#include "TqCommandKit.h"

#include "host/CTqSystemServices.h"
#include "host/TqStatus.h"
#include "../lispservices/TqChainTags.h"
#include "../lispservices/TqDrawingEdits.h"
#include "../lispservices/TqResultBuffers.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbObject.h"

#include <cmath>

namespace TqCommandKit {

namespace {

CTqInputServices* Input()
{
    CTqLispServices* services = Services();
    return services ? services->Input() : nullptr;
}

// Codes that hold directions rather than places, by object type.
bool IsDirection(const QString& type, int code)
{
    if (code == 11 && (type == QLatin1String("XLINE") || type == QLatin1String("RAY") || type == QLatin1String("MTEXT")
                       || type == QLatin1String("ELLIPSE")))
        return true;
    return (code == 12 || code == 13) && type == QLatin1String("SPLINE");
}

short Keyworded(short status, QString* keyword)
{
    if (status == tq::kKeyword && keyword) {
        CTqString text;
        if (Services()->GetPendingInput(text) == tq::kNormal)
            *keyword = text.toQString();
    }
    return status;
}

// The list that makes a copy of an object: its type and fields with its extended data.
OdDbTagList Recipe(const OdDbObject& object)
{
    OdDbTagList tags = TqFieldTags(object.groupCodes([](const QString&) { return true; }));
    tags.insert(tags.begin(), OdDbTag::string(0, object.dxfName()));
    return tags;
}

std::vector<OdDbObjectId> SubEntities(const OdDbDatabase& db, OdDbObjectId object)
{
    std::vector<OdDbObjectId> parts;
    for (OdDbObjectId next = db.nextEntity(object, true); !next.isNull(); next = db.nextEntity(next, true)) {
        const OdDbObject* part = next.object();
        if (!part || part->ownerId() != object)
            break;
        parts.push_back(next);
    }
    return parts;
}

}  // namespace

CTqLispServices* Services()
{
    return GetTqSystemServices() ? GetTqSystemServices()->LispServices() : nullptr;
}

OdDbDatabase* Database()
{
    return TqCurrentDatabase();
}

short Point(const QString& prompt, const OdGePoint3d* base, OdGePoint3d& point, const QString& keywords, QString* keyword)
{
    CTqInputServices* input = Input();
    if (!input)
        return tq::kError;
    if (!keywords.isEmpty())
        (void)input->InitGet(0, CTqString(keywords));
    const double from[3] = {base ? base->x : 0.0, base ? base->y : 0.0, base ? base->z : 0.0};
    double picked[3] = {0.0, 0.0, 0.0};
    const CTqString text(prompt);
    const short status = input->GetPoint(base ? from : nullptr, &text, picked);
    point = {picked[0], picked[1], picked[2]};
    return Keyworded(status, keyword);
}

short Distance(const QString& prompt, const OdGePoint3d* base, double& distance, const QString& keywords, QString* keyword)
{
    CTqInputServices* input = Input();
    if (!input)
        return tq::kError;
    if (!keywords.isEmpty())
        (void)input->InitGet(0, CTqString(keywords));
    const double from[3] = {base ? base->x : 0.0, base ? base->y : 0.0, base ? base->z : 0.0};
    const CTqString text(prompt);
    return Keyworded(input->GetDistance(base ? from : nullptr, &text, distance), keyword);
}

short Angle(const QString& prompt, const OdGePoint3d* base, double& angle)
{
    CTqInputServices* input = Input();
    if (!input)
        return tq::kError;
    const double from[3] = {base ? base->x : 0.0, base ? base->y : 0.0, base ? base->z : 0.0};
    const CTqString text(prompt);
    return input->GetAngle(base ? from : nullptr, &text, true, angle);
}

short Text(const QString& prompt, bool spaces, QString& text)
{
    CTqInputServices* input = Input();
    if (!input)
        return tq::kError;
    CTqString answer;
    const CTqString shown(prompt);
    const short status = input->GetString(spaces, &shown, answer);
    text = answer.toQString();
    return status;
}

short Keyword(const QString& prompt, const QString& keywords, QString& keyword)
{
    CTqInputServices* input = Input();
    if (!input)
        return tq::kError;
    (void)input->InitGet(0, CTqString(keywords));
    CTqString answer;
    const CTqString shown(prompt);
    const short status = input->GetKeyword(&shown, answer);
    keyword = answer.toQString();
    return status;
}

OdDbObjectId Make(const OdDbTagList& tags)
{
    CTqLispServices* services = Services();
    OdDbDatabase* db = Database();
    TqResultBuffer* chain = nullptr;
    if (!services || !db || !TqTagsToChain(tags, chain))
        return {};
    TqName made;
    const short status = services->Entities()->EntityMake(chain, made);
    TqReleaseChain(chain);
    return status == tq::kNormal ? TqIdOf(*db, made) : OdDbObjectId();
}

short SelectObjects(std::vector<OdDbObjectId>& objects)
{
    objects.clear();
    CTqLispServices* services = Services();
    OdDbDatabase* db = Database();
    if (!services || !db)
        return tq::kError;
    TqName set;
    const short status = services->Selections()->SelectionSetGet(nullptr, nullptr, nullptr, nullptr, set);
    if (status != tq::kNormal)
        return status == tq::kNone ? short(tq::kNormal) : status;
    std::int32_t length = 0;
    (void)services->Selections()->SelectionSetLength(set, length);
    for (std::int32_t i = 0; i < length; ++i) {
        TqName member;
        if (services->Selections()->SelectionSetName(set, i, member) == tq::kNormal)
            objects.push_back(TqIdOf(*db, member));
    }
    // The set served this command only.
    (void)services->ConfirmSelectionSet(set.word1, set.word2);
    (void)services->FreeSelectionSet(set.word1, set.word2);
    return tq::kNormal;
}

void MapPoints(OdDbObjectId objectId, const std::function<OdGePoint3d(const OdGePoint3d&)>& map)
{
    OdDbObject* object = objectId.object();
    OdDbDatabase* db = Database();
    if (!object || !db)
        return;
    const QString type = object->dxfName();
    OdDbTagList moved;
    for (const OdDbTag& tag : object->groupCodes()) {
        if (tag.type() == OdDxfCode::Type::Point && tag.code() >= 10 && tag.code() <= 18 && !IsDirection(type, tag.code()))
            moved.push_back(OdDbTag::point(tag.code(), map(tag.point()), tag.is2dPoint()));
    }
    if (!moved.empty())
        (void)object->setGroupCodes(moved);
    for (OdDbObjectId part : SubEntities(*db, objectId))
        MapPoints(part, map);
}

void RotateAndScale(OdDbObjectId objectId, const OdGePoint3d& base, double angle, double factor)
{
    const double cosine = std::cos(angle);
    const double sine = std::sin(angle);
    MapPoints(objectId, [&](const OdGePoint3d& p) {
        const double x = (p.x - base.x) * factor;
        const double y = (p.y - base.y) * factor;
        return OdGePoint3d{base.x + x * cosine - y * sine, base.y + x * sine + y * cosine, base.z + (p.z - base.z) * factor};
    });
    OdDbObject* object = objectId.object();
    if (!object)
        return;
    const QString type = object->dxfName();
    OdDbTagList changed;
    for (const OdDbTag& tag : object->groupCodes()) {
        const int code = tag.code();
        const bool angled = (code == 50 && (type == QLatin1String("TEXT") || type == QLatin1String("INSERT") || type == QLatin1String("ARC")
                                            || type == QLatin1String("ATTRIB") || type == QLatin1String("MTEXT")))
            || (code == 51 && type == QLatin1String("ARC"));
        const bool sized = (code == 40 && (type == QLatin1String("CIRCLE") || type == QLatin1String("ARC") || type == QLatin1String("TEXT")
                                           || type == QLatin1String("MTEXT") || type == QLatin1String("ATTRIB")))
            || ((code == 41 || code == 42 || code == 43) && type == QLatin1String("INSERT"));
        if (angled)
            changed.push_back(OdDbTag::real(code, tag.number() + angle));
        else if (sized)
            changed.push_back(OdDbTag::real(code, tag.number() * factor));
    }
    if (!changed.empty())
        (void)object->setGroupCodes(changed);
}

OdDbObjectId Copy(OdDbObjectId objectId)
{
    OdDbDatabase* db = Database();
    const OdDbObject* object = objectId.object();
    if (!db || !object)
        return {};
    const std::vector<OdDbObjectId> parts = SubEntities(*db, objectId);
    const OdDbObjectId copy = Make(Recipe(*object));
    if (parts.empty())
        return copy;
    // A polyline or a reference with attributes joins the drawing with its SEQEND.
    for (OdDbObjectId part : parts)
        (void)Make(Recipe(*part.object()));
    return db->lastEntity();
}

void Say(const QString& text)
{
    if (CTqLispServices* services = Services())
        services->PrintHtml(CTqString(QLatin1Char('\n') + text + QLatin1Char('\n')));
}

}  // namespace TqCommandKit
