// What an object reads its fields from: the body of a DXF record or a group-code list given by a
// user, with the database it belongs to, the line of each tag for error messages, and the state
// of the subclass markers met so far.
#pragma once

#include "OdDbDxfVersion.h"
#include "OdDbTag.h"
#include "OdResult.h"

#include <QString>

#include <bitset>
#include <initializer_list>
#include <span>

class OdDbDatabase;

// Why a read failed. Line is the line of the DXF file (0 for a group-code list); index is the
// position of the offending tag in the list it came from.
struct OdDbReadError {
    long line = 0;
    long index = -1;
    QString message;
};

class OdDbDxfIn {
public:
    enum class Source : std::uint8_t {
        GroupCodes,  // angles in radians; extended data starts with -3
        Dxf,         // angles in degrees; extended data starts with the first 1001
    };

    // The lines, when given, run parallel to the tags.
    OdDbDxfIn(OdDbDatabase& database, Source source, OdDbDxfVersion version, std::span<const OdDbTag> tags,
              std::span<const long> lines = {})
        : m_database(database), m_source(source), m_version(version), m_tags(tags), m_lines(lines)
    {
    }

    OdDbDatabase& database() const { return m_database; }
    bool isDxf() const { return m_source == Source::Dxf; }
    OdDbDxfVersion version() const { return m_version; }
    std::span<const OdDbTag> tags() const { return m_tags; }

    // Radians from an angle tag.
    double angle(const OdDbTag& tag) const;
    // True the first time a code is met in this read: a list field restarts there, so that a
    // user's list replaces the old list instead of extending it.
    bool firstOf(int code);
    // True when the code was met in this read so far.
    bool seen(int code) const { return code >= 0 && std::size_t(code) < m_met.size() && m_met.test(std::size_t(code)); }
    void noteCode(int code)
    {
        if (code >= 0 && std::size_t(code) < m_met.size())
            m_met.set(std::size_t(code));
    }
    // A new object needs its required codes; a change of an existing one does not.
    bool isCreating() const { return m_creating; }
    void setCreating(bool creating) { m_creating = creating; }
    // Fails unless every code was met (or the object exists already).
    OdResult require(std::initializer_list<int> codes, const QString& what);

    // Records the first failure at the current tag and returns the status.
    OdResult fail(OdResult status, const QString& message);
    bool failed() const { return m_failed; }
    const OdDbReadError& error() const { return m_error; }

    // The read position, kept by the object that reads.
    void setIndex(std::size_t index) { m_index = index; }
    std::size_t index() const { return m_index; }
    long lineOf(std::size_t index) const { return index < m_lines.size() ? m_lines[index] : 0; }

    // Subclass markers: the entity's common codes come after "AcDbEntity" and before the next
    // marker; a list without markers is read flat.
    void enterSubclass(const QString& marker);
    bool inEntitySection() const { return m_inEntitySection; }
    bool pastEntitySection() const { return m_pastEntitySection; }
    // The last subclass marker met; empty in a list without markers.
    const QString& currentSubclass() const { return m_subclass; }

private:
    OdDbDatabase& m_database;
    Source m_source;
    OdDbDxfVersion m_version;
    std::span<const OdDbTag> m_tags;
    std::span<const long> m_lines;
    std::size_t m_index = 0;
    std::bitset<1072> m_seen;
    std::bitset<1072> m_met;
    bool m_failed = false;
    bool m_creating = true;
    bool m_inEntitySection = false;
    bool m_pastEntitySection = false;
    OdDbReadError m_error;
    QString m_subclass;
};
