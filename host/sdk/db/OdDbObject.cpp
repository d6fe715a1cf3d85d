// Object identity, extended data and the group-code and DXF forms of an object.
#include "OdDbObject.h"

#include "OdDbDatabase.h"
#include "OdDbDictionary.h"
#include "OdDbSymbolTable.h"

#include <algorithm>

namespace {

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The applications of a run of extended data in order, each with the index of its 1001 tag.
std::vector<std::pair<QString, std::size_t>> applicationStarts(const OdDbTagList& xdata)
{
    std::vector<std::pair<QString, std::size_t>> starts;
    for (std::size_t i = 0; i < xdata.size(); ++i) {
        if (xdata[i].code() == 1001)
            starts.emplace_back(xdata[i].string(), i);
    }
    return starts;
}

}  // namespace

OdResult OdDbObject::createExtensionDictionary()
{
    if (!m_extensionDictionary.isNull() && m_extensionDictionary.isValid())
        return OdResult::eOk;
    OdDbDatabase* db = database();
    if (!db)
        return OdResult::eInvalidOwnerObject;
    auto dictionary = std::make_unique<OdDbDictionary>();
    dictionary->setHardOwner(true);
    m_extensionDictionary = db->addObject(std::move(dictionary), m_id);
    return OdResult::eOk;
}

void OdDbObject::addReactor(OdDbObjectId reactor)
{
    if (std::find(m_reactors.begin(), m_reactors.end(), reactor) == m_reactors.end())
        m_reactors.push_back(reactor);
}

void OdDbObject::removeReactor(OdDbObjectId reactor)
{
    m_reactors.erase(std::remove(m_reactors.begin(), m_reactors.end(), reactor), m_reactors.end());
}

OdDbTagList OdDbObject::xData(const QString& application) const
{
    OdDbTagList result;
    bool inside = false;
    for (const OdDbTag& tag : m_xdata) {
        if (tag.code() == 1001)
            inside = sameName(tag.string(), application);
        if (inside)
            result.push_back(tag);
    }
    return result;
}

QStringList OdDbObject::xDataApplications() const
{
    QStringList names;
    for (const auto& [name, index] : applicationStarts(m_xdata))
        names << name;
    return names;
}

OdResult OdDbObject::setXData(const OdDbTagList& tags)
{
    if (tags.empty())
        return OdResult::eOk;
    if (OdDbDatabase* db = database()) {
        for (const OdDbTag& tag : tags) {
            if (tag.code() == 1001 && db->regAppId(tag.string()).isNull())
                return OdResult::eRegAppNotFound;
        }
    }
    return mergeXData(tags, false);
}

OdResult OdDbObject::mergeXData(const OdDbTagList& incoming, bool replaceAll)
{
    if (!incoming.empty() && incoming.front().code() != 1001)
        return OdResult::eInvalidInput;
    for (const OdDbTag& tag : incoming) {
        if (tag.code() < 1000 || tag.code() > 1071)
            return OdResult::eInvalidInput;
    }
    if (replaceAll) {
        m_xdata = incoming;
        return OdResult::eOk;
    }
    // Each named application loses its old data and, unless the new data is empty, gets the new.
    const auto starts = applicationStarts(incoming);
    for (std::size_t k = 0; k < starts.size(); ++k) {
        const QString& name = starts[k].first;
        const std::size_t begin = starts[k].second;
        const std::size_t end = k + 1 < starts.size() ? starts[k + 1].second : incoming.size();
        OdDbTagList kept;
        bool inside = false;
        for (const OdDbTag& tag : m_xdata) {
            if (tag.code() == 1001)
                inside = sameName(tag.string(), name);
            if (!inside)
                kept.push_back(tag);
        }
        if (end - begin > 1)
            kept.insert(kept.end(), incoming.begin() + long(begin), incoming.begin() + long(end));
        m_xdata = std::move(kept);
    }
    return OdResult::eOk;
}

OdDbTagList OdDbObject::groupCodes(const ApplicationFilter& includeApplication) const
{
    OdDbTagList tags;
    tags.reserve(24);
    OdDbDxfOut out(tags, OdDbDxfOut::Target::GroupCodes);
    out.objectId(-1, m_id);
    out.string(0, dxfName());
    out.objectId(330, m_ownerId);
    out.string(5, handle().ascii());
    if (!m_reactors.empty()) {
        out.string(102, QStringLiteral("{ACAD_REACTORS"));
        for (OdDbObjectId reactor : m_reactors)
            out.objectId(330, reactor);
        out.string(102, QStringLiteral("}"));
    }
    if (!m_extensionDictionary.isNull()) {
        out.string(102, QStringLiteral("{ACAD_XDICTIONARY"));
        out.objectId(360, m_extensionDictionary);
        out.string(102, QStringLiteral("}"));
    }
    out.tags(m_applicationGroups);
    writeFields(out);
    if (includeApplication && !m_xdata.empty()) {
        bool marked = false;
        bool inside = false;
        for (const OdDbTag& tag : m_xdata) {
            if (tag.code() == 1001) {
                inside = includeApplication(tag.string());
                if (inside && !marked) {
                    out.tag(OdDbTag::none(-3));
                    marked = true;
                }
            }
            if (inside)
                out.tag(tag);
        }
    }
    return tags;
}

OdDbTagList OdDbObject::fieldTags(const OdDbTagList& tags)
{
    // The identity part (-1, -2, 0, the handle, the owner and 102 groups) is not the user's to
    // change; the owner is the first 330 before any subclass marker.
    OdDbTagList body;
    body.reserve(tags.size());
    bool ownerSeen = false;
    bool markerSeen = false;
    int groupDepth = 0;
    for (const OdDbTag& tag : tags) {
        const int code = tag.code();
        if (code == 102) {
            groupDepth += tag.string().startsWith(QLatin1Char('{')) ? 1 : -1;
            continue;
        }
        if (groupDepth > 0 || code == -1 || code == -2 || code == 0 || code == 5 || code == 105)
            continue;
        if (code == 100)
            markerSeen = true;
        if (code == 330 && !ownerSeen && !markerSeen) {
            ownerSeen = true;
            continue;
        }
        body.push_back(tag);
    }
    return body;
}

OdResult OdDbObject::setGroupCodes(const OdDbTagList& tags, OdDbReadError* error)
{
    OdDbDatabase* db = database();
    if (!db)
        return OdResult::eInvalidOwnerObject;
    const OdDbTagList body = fieldTags(tags);
    std::unique_ptr<OdDbObject> copy = clone();
    OdDbDxfIn in(*db, OdDbDxfIn::Source::GroupCodes, db->version(), body);
    in.setCreating(false);
    OdResult status = copy->readFields(in);
    QString message;
    if (status == OdResult::eOk) {
        status = copy->resolveReferences(*db, false, message);
        if (status != OdResult::eOk)
            (void)in.fail(status, message);
    }
    if (status != OdResult::eOk) {
        if (error)
            *error = in.error();
        return status;
    }
    assign(*copy);
    return resolveReferences(*db, true, message);
}

void OdDbObject::dxfOut(OdDbDxfOut& out) const
{
    out.string(0, dxfName());
    out.string(handleCode(), handle().ascii());
    if (!out.isR12()) {
        if (!m_reactors.empty()) {
            out.string(102, QStringLiteral("{ACAD_REACTORS"));
            for (OdDbObjectId reactor : m_reactors)
                out.objectId(330, reactor);
            out.string(102, QStringLiteral("}"));
        }
        if (!m_extensionDictionary.isNull() && !m_extensionDictionary.isErased()) {
            out.string(102, QStringLiteral("{ACAD_XDICTIONARY"));
            out.objectId(360, m_extensionDictionary);
            out.string(102, QStringLiteral("}"));
        }
        out.tags(m_applicationGroups);
        out.objectId(330, m_ownerId);
    }
    writeFields(out);
    out.tags(m_xdata);
}

void OdDbObject::writeFields(OdDbDxfOut& out) const
{
    writeUnknownFields(out);
}

void OdDbObject::writeUnknownFields(OdDbDxfOut& out) const
{
    for (const OdDbTag& tag : m_unknownFields) {
        if (tag.code() == 100 && out.isR12())
            continue;
        out.tag(tag);
    }
}

OdResult OdDbObject::readFields(OdDbDxfIn& in)
{
    const std::span<const OdDbTag> tags = in.tags();
    OdDbTagList xdata;
    OdDbTagList unknown;
    bool unknownFieldsGiven = false;
    bool inXData = false;
    bool inUnknownSubclass = false;
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const OdDbTag& tag = tags[i];
        in.setIndex(i);
        const int code = tag.code();
        if (inXData || code == -3 || (code == 1001 && in.isDxf())) {
            if (code == -3) {
                inXData = true;
                continue;
            }
            inXData = true;
            xdata.push_back(tag);
            continue;
        }
        if (code >= 1000)
            return in.fail(OdResult::eBadDxfSequence,
                           QStringLiteral("group code %1 comes before the application name (1001)").arg(code));
        // A value of the wrong type: integers are accepted where a real is due.
        const OdDbTag::Type expected = OdDxfCode::type(code);
        if (tag.type() != expected) {
            const bool integer = tag.type() == OdDbTag::Type::Int16 || tag.type() == OdDbTag::Type::Int32
                || tag.type() == OdDbTag::Type::Int64;
            const bool integerExpected = expected == OdDbTag::Type::Int16 || expected == OdDbTag::Type::Int32
                || expected == OdDbTag::Type::Int64;
            if (!(integer && (integerExpected || expected == OdDbTag::Type::Real)))
                return in.fail(OdResult::eInvalidInput,
                               QStringLiteral("group code %1 has a value of the wrong type").arg(code));
        }
        in.noteCode(code);
        if (code == 100) {
            if (knowsSubclass(tag.string())) {
                in.enterSubclass(tag.string());
                inUnknownSubclass = false;
                continue;
            }
            // A subclass the class does not know: it and its codes are kept as they are.
            in.enterSubclass(tag.string());
            inUnknownSubclass = true;
            unknownFieldsGiven = true;
            unknown.push_back(tag);
            continue;
        }
        if (inUnknownSubclass || !readField(tag, in)) {
            if (in.failed())
                return OdResult::eInvalidInput;
            unknownFieldsGiven = true;
            unknown.push_back(tag);
        }
        if (in.failed())
            return OdResult::eInvalidInput;
    }
    in.setIndex(tags.size());
    if (const OdResult status = finishFields(in); status != OdResult::eOk)
        return status;
    if (unknownFieldsGiven)
        m_unknownFields = std::move(unknown);
    if (!xdata.empty() || in.isDxf()) {
        if (mergeXData(xdata, in.isDxf()) != OdResult::eOk)
            return in.fail(OdResult::eInvalidInput, QStringLiteral("the extended data is malformed"));
    }
    return OdResult::eOk;
}

bool OdDbObject::readField(const OdDbTag&, OdDbDxfIn&)
{
    return false;
}

bool OdDbObject::knowsSubclass(QStringView) const
{
    return false;
}

OdResult OdDbObject::finishFields(OdDbDxfIn&)
{
    return OdResult::eOk;
}

OdResult OdDbObject::resolveReferences(OdDbDatabase& db, bool create, QString& message)
{
    for (const OdDbTag& tag : m_xdata) {
        if (tag.code() != 1001 || !db.regAppId(tag.string()).isNull())
            continue;
        if (!create) {
            message = QStringLiteral("application \"%1\" is not registered").arg(tag.string());
            return OdResult::eRegAppNotFound;
        }
        if (db.registerApplication(tag.string()).isNull()) {
            message = QStringLiteral("application name \"%1\" is not valid").arg(tag.string());
            return OdResult::eInvalidSymbolName;
        }
    }
    return OdResult::eOk;
}
