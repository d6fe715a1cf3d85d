// A dictionary: named entries that refer to objects, in insertion order, looked up without
// regard to case. The named object dictionary, its sub-dictionaries and every object's
// extension dictionary are dictionaries; ACDBDICTIONARYWDFLT (a dictionary with a default
// entry) is read as one, its default kept with its other codes.
#pragma once

#include "OdDbObjectImpl.h"

#include <QHash>

#include <unordered_map>

class OdDbDictionary : public OdDbObjectImpl<OdDbDictionary, OdDbObject> {
public:
    struct Entry {
        QString key;
        OdDbObjectId id;
        std::int16_t code = 350;  // 350 soft owner, 360 hard owner
    };

    explicit OdDbDictionary(const QString& dxfName = QStringLiteral("DICTIONARY")) : m_dxfName(dxfName) {}

    QString dxfName() const override { return m_dxfName; }

    bool isHardOwner() const { return m_hardOwner; }
    void setHardOwner(bool hard) { m_hardOwner = hard; }
    int mergeStyle() const { return m_mergeStyle; }

    // Entries in order; those whose object is erased are skipped by the calls below.
    const std::vector<Entry>& entries() const { return m_entries; }
    int numEntries() const;
    // The object of a key; null when the key is missing or its object erased.
    OdDbObjectId getAt(const QString& key) const;
    bool has(const QString& key) const { return !getAt(key).isNull(); }
    // The key under which an object is entered; empty when it is not.
    QString nameAt(OdDbObjectId id) const;
    // Sets a key to an object the database holds; the object's owner becomes this dictionary.
    // An object an existing entry of that key refers to is erased. eInvalidSymbolName for an
    // empty key.
    OdResult setAt(const QString& key, OdDbObjectId id);
    // Adds a new object to the database, owned by this dictionary (which must be in a
    // database), under the key. Null on failure.
    OdDbObjectId setAt(const QString& key, std::unique_ptr<OdDbObject> object);
    // Removes the entry (the object stays, without owner). eKeyNotFound when there is none.
    OdResult remove(const QString& key, OdDbObjectId* removed = nullptr);
    // eKeyNotFound, eDuplicateKey, eInvalidSymbolName.
    OdResult rename(const QString& oldKey, const QString& newKey);

    void writeFields(OdDbDxfOut& out) const override;

protected:
    bool readField(const OdDbTag& tag, OdDbDxfIn& in) override;
    bool knowsSubclass(QStringView marker) const override;
    OdResult finishFields(OdDbDxfIn& in) override;

private:
    void reindex();
    const Entry* find(const QString& key) const;

    QString m_dxfName;
    bool m_hardOwner = false;
    std::int16_t m_mergeStyle = 1;
    std::vector<Entry> m_entries;
    std::unordered_map<QString, std::size_t> m_index;
    QString m_pendingKey;
};
