// Base of every object of a drawing database: identity (id, handle, owner), erasure, the
// extension dictionary, reactors, extended data, and the two forms an object takes outside
// memory: a group-code list for users and the tags of a DXF record. The database owns every
// object; others hold ids.
#pragma once

#include "OdDbDxfIn.h"
#include "OdDbDxfOut.h"
#include "OdDbObjectId.h"
#include "OdResult.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class OdDbDatabase;

class OdDbObject {
public:
    virtual ~OdDbObject() = default;

    // --- identity -------------------------------------------------------------------------
    OdDbObjectId objectId() const { return m_id; }
    OdDbHandle handle() const { return m_id.handle(); }
    // Null until the object is added to a database.
    OdDbDatabase* database() const { return m_id.database(); }
    OdDbObjectId ownerId() const { return m_ownerId; }
    void setOwnerId(OdDbObjectId owner) { m_ownerId = owner; }
    // The DXF record name ("LINE", "DICTIONARY", "LAYER").
    virtual QString dxfName() const = 0;

    // Erased objects stay in the database and keep their id; iteration, lookups by name and the
    // DXF writer skip them. Erasing again or un-erasing a live object changes nothing.
    bool isErased() const { return m_erased; }
    void erase(bool erasing = true) { m_erased = erasing; }

    // --- extension dictionary and reactors ---------------------------------------------------
    OdDbObjectId extensionDictionary() const { return m_extensionDictionary; }
    // Makes the extension dictionary when there is none. eOk also when one exists;
    // eInvalidOwnerObject for an object that is not in a database.
    OdResult createExtensionDictionary();
    void setExtensionDictionary(OdDbObjectId dictionary) { m_extensionDictionary = dictionary; }
    const std::vector<OdDbObjectId>& reactors() const { return m_reactors; }
    void addReactor(OdDbObjectId reactor);
    void removeReactor(OdDbObjectId reactor);

    // --- extended data ----------------------------------------------------------------------
    // All applications' data: each 1001 name tag followed by that application's 1000-1071 tags.
    const OdDbTagList& xData() const { return m_xdata; }
    // The data of one application (its 1001 tag first); empty when it has none. Names compare
    // without regard to case.
    OdDbTagList xData(const QString& application) const;
    QStringList xDataApplications() const;
    // Replaces the data of every application the list names (a 1001 tag followed by no data
    // removes that application's data); others keep theirs. eRegAppNotFound when an application
    // is not in the APPID table, eInvalidInput for a tag outside 1000-1071 or a list that does
    // not start with 1001; the data is unchanged then.
    OdResult setXData(const OdDbTagList& tags);

    // --- group-code lists -------------------------------------------------------------------
    // The object as users see it: (-1 id) (0 type) (330 owner) (5 handle) [102 groups] fields,
    // then, when includeApplication accepts an application with data, (-3) and that data.
    using ApplicationFilter = std::function<bool(const QString& application)>;
    OdDbTagList groupCodes(const ApplicationFilter& includeApplication = {}) const;
    // Changes the object to the values of a list as groupCodes gives it: codes the list holds
    // replace their fields, the others keep theirs (a repeated code such as a vertex restarts
    // its list); -1, 0, 5, the owner and 102 groups are ignored; -3 replaces the extended data of
    // the applications it names. All or nothing: on failure the object is unchanged and the
    // error names the offending tag.
    OdResult setGroupCodes(const OdDbTagList& tags, OdDbReadError* error = nullptr);
    // A list without what identifies an object (-1, -2, 0, the handle, the owner, 102 groups):
    // the fields a new object reads or setGroupCodes changes.
    static OdDbTagList fieldTags(const OdDbTagList& tags);

    // --- DXF --------------------------------------------------------------------------------
    // The whole record: 0 type, handle, 102 groups, owner, fields, extended data.
    void dxfOut(OdDbDxfOut& out) const;
    // The fields after the identity: subclass markers, the class's codes, kept unknown codes.
    virtual void writeFields(OdDbDxfOut& out) const;
    // Reads fields and extended data from the tags of the filer (identity already taken).
    OdResult readFields(OdDbDxfIn& in);
    // The code of the handle in DXF (105 for dimension styles).
    virtual int handleCode() const { return 5; }

    // Checks the names the object refers to (layer, linetype, text style, block, applications of
    // its extended data). With create set, missing layers and applications are added to the
    // database instead; names that must exist (linetypes, styles, blocks) still fail.
    virtual OdResult resolveReferences(OdDbDatabase& database, bool create, QString& message);

    // --- copies (OdDbObjectImpl) ------------------------------------------------------------
    virtual std::unique_ptr<OdDbObject> clone() const = 0;
    virtual void assign(const OdDbObject& other) = 0;

    // --- set by the database ------------------------------------------------------------------
    void setObjectId(OdDbObjectId id) { m_id = id; }
    // 102 groups other than reactors and the extension dictionary, kept as read.
    const OdDbTagList& applicationGroups() const { return m_applicationGroups; }
    void setApplicationGroups(OdDbTagList groups) { m_applicationGroups = std::move(groups); }
    // Unknown codes kept for writing back, after the class's own codes.
    const OdDbTagList& unknownFields() const { return m_unknownFields; }

protected:
    OdDbObject() = default;
    OdDbObject(const OdDbObject&) = default;
    OdDbObject& operator=(const OdDbObject&) = default;

    // Takes one field tag; false when the class has no use for it (it is kept as unknown).
    // A class calls its base for codes it does not know.
    virtual bool readField(const OdDbTag& tag, OdDbDxfIn& in);
    // True for the subclass markers of the class and its bases.
    virtual bool knowsSubclass(QStringView marker) const;
    // Called after the last field: checks that what was read fits together.
    virtual OdResult finishFields(OdDbDxfIn& in);
    // Writes the unknown codes kept for the class's last subclass.
    void writeUnknownFields(OdDbDxfOut& out) const;

private:
    OdResult mergeXData(const OdDbTagList& incoming, bool replaceAll);

    OdDbObjectId m_id;
    OdDbObjectId m_ownerId;
    OdDbObjectId m_extensionDictionary;
    std::vector<OdDbObjectId> m_reactors;
    OdDbTagList m_applicationGroups;
    OdDbTagList m_unknownFields;
    OdDbTagList m_xdata;
    bool m_erased = false;
};
