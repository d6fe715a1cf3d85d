// The DXF reader: tags from text, sections, and records into objects of a new database.
#include "OdDxfReader.h"

#include "OdDxfTextCodec.h"
#include "../db/OdDbAttribute.h"
#include "../db/OdDbBlockBegin.h"
#include "../db/OdDbBlockEnd.h"
#include "../db/OdDbBlockReference.h"
#include "../db/OdDbBlockTableRecord.h"
#include "../db/OdDbDatabase.h"
#include "../db/OdDbDictionary.h"
#include "../db/OdDbHeavyPolyline.h"
#include "../db/OdDbObjectFactory.h"
#include "../db/OdDbSequenceEnd.h"
#include "../db/OdDbSymbolTableRecord.h"
#include "../db/OdDbVertex.h"

#include <QFile>

#include <charconv>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace {

using Kind = OdDbSymbolTable::Kind;

struct RawTag {
    int code = 0;
    std::string_view value;
    long line = 0;  // the line of the group code; the value is on the next
};

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

QString quoted(std::string_view text)
{
    return QLatin1Char('"') + QString::fromUtf8(text.data(), int(std::min<std::size_t>(text.size(), 40))) + QLatin1Char('"');
}

// Group-code and value lines of the text.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view data) : m_pos(data.data()), m_end(data.data() + data.size())
    {
        // A UTF-8 byte order mark is not part of the first tag.
        if (data.size() >= 3 && data.substr(0, 3) == "\xEF\xBB\xBF")
            m_pos += 3;
    }

    bool atEnd() const { return m_pos >= m_end; }
    long line() const { return m_line; }

    // False with the error at the end of the text or on a malformed tag.
    bool next(RawTag& tag, OdDbReadError& error)
    {
        if (atEnd()) {
            error = {m_line, -1, QStringLiteral("line %1: the file ends without 0/EOF").arg(m_line)};
            return false;
        }
        const std::string_view codeText = trimmed(readLine());
        tag.line = m_line;
        const auto [rest, ec] = std::from_chars(codeText.data(), codeText.data() + codeText.size(), tag.code);
        if (ec != std::errc() || rest != codeText.data() + codeText.size() || codeText.empty()) {
            error = {m_line, -1, QStringLiteral("line %1: group code %2 is not a number").arg(m_line).arg(quoted(codeText))};
            return false;
        }
        if (atEnd()) {
            error = {m_line + 1, -1,
                     QStringLiteral("line %1: the file ends after group code %2 without its value").arg(m_line + 1).arg(tag.code)};
            return false;
        }
        std::string_view value = readLine();
        if (!value.empty() && value.back() == '\r')
            value.remove_suffix(1);
        tag.value = value;
        return true;
    }

private:
    std::string_view readLine()
    {
        const char* start = m_pos;
        const void* found = std::memchr(m_pos, '\n', std::size_t(m_end - m_pos));
        const char* stop = found ? static_cast<const char*>(found) : m_end;
        m_pos = found ? stop + 1 : m_end;
        ++m_line;
        return {start, std::size_t(stop - start)};
    }

    const char* m_pos;
    const char* m_end;
    long m_line = 0;
};

// The version and code page, found before the main pass so that strings decode right.
void scanHeader(std::string_view data, OdDbDxfVersion& version, QString& codePage)
{
    Tokenizer tokens(data);
    OdDbReadError ignored;
    RawTag tag;
    QString variable;
    while (tokens.next(tag, ignored)) {
        if (tag.code == 0 && trimmed(tag.value) == "ENDSEC")
            return;
        if (tag.code == 9)
            variable = QString::fromLatin1(trimmed(tag.value).data(), int(trimmed(tag.value).size()));
        else if (variable == QLatin1String("$ACADVER") && tag.code == 1)
            (void)OdDbDxfVersions::fromName(QString::fromLatin1(tag.value.data(), int(tag.value.size())), version);
        else if (variable == QLatin1String("$DWGCODEPAGE") && tag.code == 3)
            codePage = QString::fromLatin1(tag.value.data(), int(tag.value.size())).trimmed();
    }
}

// One record split into its identity and its body.
struct Record {
    std::string_view type;
    long line = 0;
    OdDbHandle handle;
    bool hasHandle = false;
    OdDbHandle owner;
    bool hasOwner = false;
    long ownerLine = 0;
    std::vector<OdDbObjectId> reactors;
    OdDbObjectId extensionDictionary;
    OdDbTagList applicationGroups;
    OdDbTagList body;
    std::vector<long> lines;
    bool hasMarkers = false;
    bool hasEntityMarker = false;
};

class Parser {
public:
    Parser(std::string_view data, OdDbReadError& error)
        : m_data(data), m_tokens(data), m_error(error), m_db(std::make_unique<OdDbDatabase>()),
          m_codec(OdDbDxfVersion::kR12, QString())
    {
    }

    std::unique_ptr<OdDbDatabase> run();

private:
    // --- tags ---------------------------------------------------------------------------------
    bool nextTag(RawTag& tag);
    bool fail(long line, const QString& message);
    // Reads the tags after a 0 tag up to the next 0 tag, which is kept for the next read.
    bool readRecordTags(std::vector<RawTag>& tags);
    bool convert(const std::vector<RawTag>& raw, Record& record, bool dimensionStyle);
    bool convertValue(const RawTag& raw, std::size_t& i, const std::vector<RawTag>& all, OdDbTag& tag);
    QString text(std::string_view bytes);

    // --- sections -------------------------------------------------------------------------------
    bool readHeader();
    bool readClasses();
    bool readTables();
    bool readBlocks();
    bool readEntities();
    bool readObjects();
    bool skipSection();

    // --- objects -------------------------------------------------------------------------------
    bool readObject(OdDbObject& object, Record& record);
    OdDbObjectId addObject(std::unique_ptr<OdDbObject> object, Record& record, OdDbObjectId owner);
    bool addEntity(Record& record, OdDbObjectId block);
    bool closeOpenParent(OdDbObjectId block);
    OdDbSymbolTable* ensureTable(Kind kind);
    OdDbObjectId ensureBlock(const QString& name);
    bool finish();

    std::string_view m_data;
    Tokenizer m_tokens;
    OdDbReadError& m_error;
    std::unique_ptr<OdDbDatabase> m_db;
    OdDbDxfVersion m_version = OdDbDxfVersion::kR12;
    OdDxfTextCodec m_codec;
    RawTag m_pending;
    bool m_hasPending = false;
    std::vector<RawTag> m_raw;
    std::unordered_map<std::string_view, QString> m_strings;
    long m_handseedLine = 0;
    OdDbHandle m_handseed;
    bool m_hasHandseed = false;

    // The POLYLINE or INSERT whose VERTEX or ATTRIB records may follow.
    OdDbObjectId m_openParent;
    struct OwnerCheck {
        OdDbObjectId owner;
        long line;
        QString type;
    };
    std::vector<OwnerCheck> m_ownerChecks;
    std::vector<std::pair<OdDbObjectId, long>> m_objectLines;
};

bool Parser::fail(long line, const QString& message)
{
    m_error = {line, -1, QStringLiteral("line %1: %2").arg(line).arg(message)};
    return false;
}

bool Parser::nextTag(RawTag& tag)
{
    if (m_hasPending) {
        tag = m_pending;
        m_hasPending = false;
        return true;
    }
    return m_tokens.next(tag, m_error);
}

bool Parser::readRecordTags(std::vector<RawTag>& tags)
{
    tags.clear();
    RawTag tag;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code == 0) {
            m_pending = tag;
            m_hasPending = true;
            return true;
        }
        tags.push_back(tag);
    }
}

QString Parser::text(std::string_view bytes)
{
    // Names, markers and layers repeat: one shared QString each.
    if (bytes.size() > 48)
        return m_codec.decode(bytes);
    if (const auto found = m_strings.find(bytes); found != m_strings.end())
        return found->second;
    QString decoded = m_codec.decode(bytes);
    if (m_strings.size() < 20000)
        m_strings.emplace(bytes, decoded);
    return decoded;
}

bool Parser::convertValue(const RawTag& raw, std::size_t& i, const std::vector<RawTag>& all, OdDbTag& tag)
{
    const int code = raw.code;
    auto parseReal = [this](const RawTag& source, double& value) {
        const std::string_view v = trimmed(source.value);
        const auto [rest, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
        if (ec != std::errc() || rest != v.data() + v.size() || v.empty())
            return fail(source.line + 1, QStringLiteral("%1 is not a number (group code %2)").arg(quoted(source.value)).arg(source.code));
        if (!std::isfinite(value))
            return fail(source.line + 1, QStringLiteral("%1 is not a finite number (group code %2)").arg(quoted(source.value)).arg(source.code));
        return true;
    };
    switch (OdDxfCode::type(code)) {
    case OdDbTag::Type::None:
        tag = OdDbTag::none(code);
        return true;
    case OdDbTag::Type::String:
        tag = OdDbTag::string(code, text(raw.value));
        return true;
    case OdDbTag::Type::Real: {
        // A y code must follow its x code.
        if (OdDxfCode::isPointX(code - 10))
            return fail(raw.line, QStringLiteral("group code %1 comes without its x (%2)").arg(code).arg(code - 10));
        double value = 0.0;
        if (!parseReal(raw, value))
            return false;
        tag = OdDbTag::real(code, value);
        return true;
    }
    case OdDbTag::Type::Point: {
        OdGePoint3d point;
        if (!parseReal(raw, point.x))
            return false;
        if (i + 1 >= all.size() || all[i + 1].code != code + 10)
            return fail(raw.line, QStringLiteral("group code %1 is not followed by its y (%2)").arg(code).arg(code + 10));
        if (!parseReal(all[i + 1], point.y))
            return false;
        ++i;
        bool is2d = true;
        if (i + 1 < all.size() && all[i + 1].code == code + 20) {
            if (!parseReal(all[i + 1], point.z))
                return false;
            ++i;
            is2d = false;
        }
        tag = OdDbTag::point(code, point, is2d);
        return true;
    }
    case OdDbTag::Type::Int16:
    case OdDbTag::Type::Int32:
    case OdDbTag::Type::Int64: {
        const std::string_view v = trimmed(raw.value);
        std::int64_t value = 0;
        const auto [rest, ec] = std::from_chars(v.data(), v.data() + v.size(), value);
        if (ec != std::errc() || rest != v.data() + v.size() || v.empty()) {
            // Some writers put integers as reals ("1.0").
            double real = 0.0;
            const auto [restReal, ecReal] = std::from_chars(v.data(), v.data() + v.size(), real);
            // Beyond 2^63 the conversion below would be undefined.
            constexpr double kInt64Limit = 9223372036854775808.0;
            if (ecReal != std::errc() || restReal != v.data() + v.size() || v.empty() || real != std::trunc(real)
                || !(real >= -kInt64Limit && real < kInt64Limit))
                return fail(raw.line + 1, QStringLiteral("%1 is not an integer (group code %2)").arg(quoted(raw.value)).arg(code));
            value = std::int64_t(real);
        }
        const OdDbTag::Type type = OdDxfCode::type(code);
        tag = type == OdDbTag::Type::Int16 ? OdDbTag::int16(code, int(value))
            : type == OdDbTag::Type::Int32 ? OdDbTag::int32(code, std::int32_t(value))
                                           : OdDbTag::int64(code, value);
        return true;
    }
    case OdDbTag::Type::ObjectId: {
        OdDbHandle handle;
        if (!OdDbHandle::parse(raw.value, handle))
            return fail(raw.line + 1, QStringLiteral("%1 is not a handle (group code %2)").arg(quoted(raw.value)).arg(code));
        tag = OdDbTag::objectId(code, m_db->stubForHandle(handle));
        return true;
    }
    case OdDbTag::Type::Binary: {
        const std::string_view v = trimmed(raw.value);
        const QByteArray bytes = QByteArray::fromHex(QByteArray::fromRawData(v.data(), int(v.size())));
        if (v.size() % 2 != 0 || std::size_t(bytes.size()) * 2 != v.size())
            return fail(raw.line + 1, QStringLiteral("%1 is not hexadecimal data (group code %2)").arg(quoted(raw.value)).arg(code));
        tag = OdDbTag::binary(code, bytes);
        return true;
    }
    }
    return false;
}

bool Parser::convert(const std::vector<RawTag>& raw, Record& record, bool dimensionStyle)
{
    record.handle = OdDbHandle();
    record.hasHandle = false;
    record.hasOwner = false;
    record.reactors.clear();
    record.extensionDictionary = {};
    record.applicationGroups.clear();
    record.body.clear();
    record.lines.clear();
    record.hasMarkers = false;
    record.hasEntityMarker = false;
    const int handleCode = dimensionStyle ? 105 : 5;
    QString group;  // the 102 group being read
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const RawTag& tag = raw[i];
        if (tag.code == handleCode && !record.hasHandle && !record.hasMarkers) {
            if (!OdDbHandle::parse(tag.value, record.handle))
                return fail(tag.line + 1, QStringLiteral("%1 is not a handle").arg(quoted(tag.value)));
            record.hasHandle = true;
            continue;
        }
        if (tag.code == 102) {
            const QString name = text(trimmed(tag.value));
            if (name.startsWith(QLatin1Char('{'))) {
                if (!group.isEmpty())
                    return fail(tag.line, QStringLiteral("102 group %1 opens inside another").arg(name));
                group = name;
                if (group != QLatin1String("{ACAD_REACTORS") && group != QLatin1String("{ACAD_XDICTIONARY"))
                    record.applicationGroups.push_back(OdDbTag::string(102, name));
            } else {
                if (group.isEmpty())
                    return fail(tag.line, QStringLiteral("102 group closes without opening"));
                if (group != QLatin1String("{ACAD_REACTORS") && group != QLatin1String("{ACAD_XDICTIONARY"))
                    record.applicationGroups.push_back(OdDbTag::string(102, name));
                group.clear();
            }
            continue;
        }
        OdDbTag converted;
        if (!convertValue(tag, i, raw, converted))
            return false;
        if (!group.isEmpty()) {
            if (group == QLatin1String("{ACAD_REACTORS") && tag.code == 330)
                record.reactors.push_back(converted.objectId());
            else if (group == QLatin1String("{ACAD_XDICTIONARY") && tag.code == 360)
                record.extensionDictionary = converted.objectId();
            else
                record.applicationGroups.push_back(converted);
            continue;
        }
        if (tag.code == 330 && !record.hasOwner && !record.hasMarkers) {
            record.hasOwner = true;
            record.owner = converted.objectId().handle();
            record.ownerLine = tag.line;
            continue;
        }
        if (tag.code == 100) {
            record.hasMarkers = true;
            if (converted.string() == QLatin1String("AcDbEntity"))
                record.hasEntityMarker = true;
        }
        record.body.push_back(std::move(converted));
        record.lines.push_back(tag.line);
    }
    if (!group.isEmpty())
        return fail(raw.empty() ? record.line : raw.back().line, QStringLiteral("102 group %1 is not closed").arg(group));
    return true;
}

bool Parser::readObject(OdDbObject& object, Record& record)
{
    object.setExtensionDictionary(record.extensionDictionary);
    for (OdDbObjectId reactor : record.reactors)
        object.addReactor(reactor);
    if (!record.applicationGroups.empty())
        object.setApplicationGroups(record.applicationGroups);
    OdDbDxfIn in(*m_db, OdDbDxfIn::Source::Dxf, m_version, record.body, record.lines);
    if (object.readFields(in) != OdResult::eOk) {
        const long line = in.error().line ? in.error().line : record.line;
        return fail(line, in.error().message);
    }
    return true;
}

OdDbObjectId Parser::addObject(std::unique_ptr<OdDbObject> object, Record& record, OdDbObjectId owner)
{
    const QString type = object->dxfName();
    OdDbObjectId id;
    if (record.hasHandle && !record.handle.isNull()) {
        id = m_db->addObject(std::move(object), owner, record.handle);
        if (id.isNull()) {
            (void)fail(record.line, QStringLiteral("%1 has handle %2, which another object has already").arg(type, record.handle.ascii()));
            return {};
        }
    } else {
        id = m_db->addObjectWithoutHandle(std::move(object), owner);
    }
    if (record.hasOwner && !record.owner.isNull()) {
        const OdDbObjectId fileOwner = m_db->stubForHandle(record.owner);
        if (!fileOwner.isValid())
            m_ownerChecks.push_back({fileOwner, record.ownerLine, type});
    }
    m_objectLines.emplace_back(id, record.line);
    return id;
}

OdDbSymbolTable* Parser::ensureTable(Kind kind)
{
    if (OdDbSymbolTable* table = m_db->symbolTable(kind))
        return table;
    m_db->setSymbolTableId(kind, m_db->addObjectWithoutHandle(std::make_unique<OdDbSymbolTable>(kind), {}));
    return m_db->symbolTable(kind);
}

OdDbObjectId Parser::ensureBlock(const QString& name)
{
    OdDbSymbolTable* blocks = ensureTable(Kind::kBlock);
    if (OdDbObjectId id = blocks->recordId(name); !id.isNull())
        return id;
    auto record = std::make_unique<OdDbBlockTableRecord>();
    record->setName(name);
    const OdDbObjectId id = m_db->addObjectWithoutHandle(std::move(record), blocks->objectId());
    (void)blocks->appendRecordId(id);
    return id;
}

std::unique_ptr<OdDbDatabase> Parser::run()
{
    QString codePage;
    scanHeader(m_data, m_version, codePage);
    m_codec = OdDxfTextCodec(m_version, codePage);
    m_db->setVersion(m_version);
    // A record takes about a hundred bytes of text.
    m_db->reserve(m_data.size() / 100);
    m_objectLines.reserve(m_data.size() / 100);
    if (m_data.substr(0, 18) == "AutoCAD Binary DXF") {
        (void)fail(1, QStringLiteral("binary DXF is not supported"));
        return nullptr;
    }
    RawTag tag;
    for (;;) {
        if (!nextTag(tag))
            return nullptr;
        if (tag.code != 0) {
            (void)fail(tag.line, QStringLiteral("group code %1 outside a section").arg(tag.code));
            return nullptr;
        }
        const std::string_view word = trimmed(tag.value);
        if (word == "EOF")
            break;
        if (word != "SECTION") {
            (void)fail(tag.line, QStringLiteral("%1 outside a section").arg(quoted(word)));
            return nullptr;
        }
        if (!nextTag(tag))
            return nullptr;
        if (tag.code != 2) {
            (void)fail(tag.line, QStringLiteral("SECTION without a name (2)"));
            return nullptr;
        }
        const std::string_view name = trimmed(tag.value);
        bool ok = true;
        if (name == "HEADER")
            ok = readHeader();
        else if (name == "CLASSES")
            ok = readClasses();
        else if (name == "TABLES")
            ok = readTables();
        else if (name == "BLOCKS")
            ok = readBlocks();
        else if (name == "ENTITIES")
            ok = readEntities();
        else if (name == "OBJECTS")
            ok = readObjects();
        else
            ok = skipSection();
        if (!ok)
            return nullptr;
    }
    if (!finish())
        return nullptr;
    return std::move(m_db);
}

bool Parser::skipSection()
{
    RawTag tag;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code == 0 && trimmed(tag.value) == "ENDSEC")
            return true;
    }
}

bool Parser::readHeader()
{
    RawTag tag;
    QString variable;
    long variableLine = 0;
    std::vector<RawTag> values;
    auto store = [&]() {
        if (variable.isEmpty())
            return true;
        Record record;
        if (!convert(values, record, false))
            return false;
        if (variable == QLatin1String("$HANDSEED")) {
            m_handseedLine = variableLine + 2;
            if (values.empty() || !OdDbHandle::parse(values.front().value, m_handseed))
                return fail(m_handseedLine, QStringLiteral("$HANDSEED is not a handle"));
            m_hasHandseed = true;
        } else if (variable != QLatin1String("$ACADVER")) {
            m_db->header().set(variable, record.body);
        }
        return true;
    };
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code == 0) {
            if (trimmed(tag.value) != "ENDSEC")
                return fail(tag.line, QStringLiteral("%1 in the HEADER section").arg(quoted(tag.value)));
            return store();
        }
        if (tag.code == 9) {
            if (!store())
                return false;
            variable = QString::fromLatin1(trimmed(tag.value).data(), int(trimmed(tag.value).size()));
            variableLine = tag.line;
            values.clear();
            continue;
        }
        values.push_back(tag);
    }
}

bool Parser::readClasses()
{
    RawTag tag;
    std::vector<RawTag> raw;
    std::vector<OdDbTagList> classes;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code != 0)
            return fail(tag.line, QStringLiteral("group code %1 outside a CLASS record").arg(tag.code));
        if (trimmed(tag.value) == "ENDSEC")
            break;
        if (!readRecordTags(raw))
            return false;
        Record record;
        if (!convert(raw, record, false))
            return false;
        classes.push_back(record.body);
    }
    m_db->setClasses(std::move(classes));
    return true;
}

bool Parser::readTables()
{
    RawTag tag;
    Record record;
    OdDbSymbolTable* table = nullptr;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code != 0)
            return fail(tag.line, QStringLiteral("group code %1 outside a table record").arg(tag.code));
        const std::string_view type = trimmed(tag.value);
        if (type == "ENDSEC")
            return true;
        record.type = type;
        record.line = tag.line;
        if (!readRecordTags(m_raw))
            return false;
        if (type == "ENDTAB") {
            table = nullptr;
            continue;
        }
        if (type == "TABLE") {
            if (!convert(m_raw, record, false))
                return false;
            Kind kind;
            if (record.body.empty() || record.body.front().code() != 2
                || !OdDbSymbolTable::kindFromName(record.body.front().string(), kind)) {
                // A table the database does not know is read and dropped.
                table = nullptr;
                continue;
            }
            if (m_db->symbolTable(kind))
                return fail(tag.line, QStringLiteral("table %1 appears twice").arg(OdDbSymbolTable::tableName(kind)));
            auto head = std::make_unique<OdDbSymbolTable>(kind);
            if (!readObject(*head, record))
                return false;
            const OdDbObjectId id = addObject(std::move(head), record, {});
            if (id.isNull())
                return false;
            m_db->setSymbolTableId(kind, id);
            table = m_db->symbolTable(kind);
            continue;
        }
        if (!table)
            continue;
        if (!convert(m_raw, record, table->kind() == Kind::kDimStyle))
            return false;
        std::unique_ptr<OdDbObject> object = OdDbObjectFactory::createRecord(table->kind());
        if (!readObject(*object, record))
            return false;
        // Every block record is written as a BLOCK, and a BLOCK is read only under a valid name.
        if (table->kind() == Kind::kBlock) {
            const auto* blockRecord = dynamic_cast<const OdDbSymbolTableRecord*>(object.get());
            const QString name = blockRecord ? blockRecord->name() : QString();
            if (name.isEmpty() || !OdDbSymUtil::isValidBlockName(name))
                return fail(tag.line, QStringLiteral("block name %1 is not valid").arg(quoted(name.toStdString())));
        }
        const OdDbObjectId id = addObject(std::move(object), record, table->objectId());
        if (id.isNull())
            return false;
        switch (table->appendRecordId(id)) {
        case OdResult::eOk:
            break;
        case OdResult::eDuplicateKey:
            return fail(tag.line, QStringLiteral("%1 \"%2\" appears twice")
                                      .arg(table->tableName(table->kind()), id.openObject<OdDbSymbolTableRecord>()->name()));
        default:
            return fail(tag.line, QStringLiteral("%1 record cannot be read").arg(quoted(type)));
        }
    }
}

bool Parser::closeOpenParent(OdDbObjectId block)
{
    if (m_openParent.isNull())
        return true;
    const OdDbObjectId parent = m_openParent;
    m_openParent = {};
    // A POLYLINE needs its SEQEND; a writer that left it out gets one.
    if (auto* polyline = parent.openObject<OdDbHeavyPolyline>(); polyline && polyline->sequenceEndId().isNull()) {
        auto end = std::make_unique<OdDbSequenceEnd>();
        end->setLayer(polyline->layer());
        polyline->setSequenceEndId(m_db->addObjectWithoutHandle(std::move(end), parent));
    }
    (void)block;
    return true;
}

bool Parser::addEntity(Record& record, OdDbObjectId block)
{
    const QString type = text(record.type);
    if (m_version >= OdDbDxfVersion::kR2000 && record.hasMarkers && !record.hasEntityMarker)
        return fail(record.line, QStringLiteral("%1 lacks its AcDbEntity subclass marker").arg(type));
    std::unique_ptr<OdDbEntity> entity = OdDbObjectFactory::createEntity(type);
    if (!readObject(*entity, record))
        return false;
    if (type == QLatin1String("VERTEX") || type == QLatin1String("ATTRIB") || type == QLatin1String("SEQEND")) {
        auto* polyline = m_openParent.openObject<OdDbHeavyPolyline>();
        auto* reference = m_openParent.openObject<OdDbBlockReference>();
        const bool fits = (type == QLatin1String("VERTEX") && polyline) || (type == QLatin1String("ATTRIB") && reference)
            || (type == QLatin1String("SEQEND") && (polyline || reference));
        if (!fits)
            return fail(record.line, QStringLiteral("%1 does not follow a POLYLINE or INSERT it belongs to").arg(type));
        const OdDbObjectId id = addObject(std::move(entity), record, m_openParent);
        if (id.isNull())
            return false;
        if (type == QLatin1String("SEQEND")) {
            if (polyline)
                polyline->setSequenceEndId(id);
            else
                reference->setSequenceEndId(id);
            m_openParent = {};
        } else if (polyline) {
            polyline->appendVertexId(id);
        } else {
            reference->appendAttributeId(id);
        }
        return true;
    }
    if (!closeOpenParent(block))
        return false;
    const bool parent = type == QLatin1String("POLYLINE") || type == QLatin1String("INSERT");
    const OdDbObjectId id = addObject(std::move(entity), record, block);
    if (id.isNull())
        return false;
    block.openObject<OdDbBlockTableRecord>()->appendEntityId(id);
    if (parent)
        m_openParent = id;
    return true;
}

bool Parser::readBlocks()
{
    RawTag tag;
    Record record;
    OdDbObjectId block;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code != 0)
            return fail(tag.line, QStringLiteral("group code %1 outside a record").arg(tag.code));
        const std::string_view type = trimmed(tag.value);
        if (type == "ENDSEC") {
            if (!block.isNull())
                return fail(tag.line, QStringLiteral("BLOCK without ENDBLK"));
            return true;
        }
        record.type = type;
        record.line = tag.line;
        if (!readRecordTags(m_raw) || !convert(m_raw, record, false))
            return false;
        if (type == "BLOCK") {
            if (!block.isNull())
                return fail(tag.line, QStringLiteral("BLOCK inside a BLOCK"));
            auto begin = std::make_unique<OdDbBlockBegin>();
            if (!readObject(*begin, record))
                return false;
            QString name = begin->readName();
            if (name.compare(QLatin1String("$MODEL_SPACE"), Qt::CaseInsensitive) == 0)
                name = OdDbBlockTableRecord::kModelSpace;
            else if (name.compare(QLatin1String("$PAPER_SPACE"), Qt::CaseInsensitive) == 0)
                name = OdDbBlockTableRecord::kPaperSpace;
            if (name.isEmpty() || !OdDbSymUtil::isValidBlockName(name))
                return fail(tag.line, QStringLiteral("block name %1 is not valid").arg(quoted(name.toStdString())));
            block = ensureBlock(name);
            const OdDbObjectId id = addObject(std::move(begin), record, block);
            if (id.isNull())
                return false;
            block.openObject<OdDbBlockTableRecord>()->setBlockBeginId(id);
            continue;
        }
        if (block.isNull())
            return fail(tag.line, QStringLiteral("%1 outside a BLOCK").arg(quoted(type)));
        if (type == "ENDBLK") {
            if (!closeOpenParent(block))
                return false;
            auto end = std::make_unique<OdDbBlockEnd>();
            if (!readObject(*end, record))
                return false;
            const OdDbObjectId id = addObject(std::move(end), record, block);
            if (id.isNull())
                return false;
            block.openObject<OdDbBlockTableRecord>()->setBlockEndId(id);
            block = {};
            continue;
        }
        if (!addEntity(record, block))
            return false;
    }
}

bool Parser::readEntities()
{
    RawTag tag;
    Record record;
    const OdDbObjectId model = ensureBlock(OdDbBlockTableRecord::kModelSpace);
    OdDbObjectId paper;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code != 0)
            return fail(tag.line, QStringLiteral("group code %1 outside a record").arg(tag.code));
        const std::string_view type = trimmed(tag.value);
        if (type == "ENDSEC")
            return closeOpenParent(model);
        record.type = type;
        record.line = tag.line;
        if (!readRecordTags(m_raw) || !convert(m_raw, record, false))
            return false;
        // R2000 and later place an entity by its owner; R12 by its paper-space flag.
        OdDbObjectId block = model;
        const OdDbObjectId owner = record.hasOwner ? m_db->getOdDbObjectId(record.owner) : OdDbObjectId();
        const auto* ownerBlock = owner.openObject<OdDbBlockTableRecord>();
        if (ownerBlock && ownerBlock->isLayout()) {
            block = owner;
        } else {
            bool paperFlag = false;
            for (const OdDbTag& bodyTag : record.body) {
                if (bodyTag.code() == 67)
                    paperFlag = bodyTag.integer() != 0;
            }
            if (paperFlag) {
                if (paper.isNull())
                    paper = ensureBlock(OdDbBlockTableRecord::kPaperSpace);
                block = paper;
            }
        }
        if (!addEntity(record, block))
            return false;
    }
}

bool Parser::readObjects()
{
    RawTag tag;
    Record record;
    for (;;) {
        if (!nextTag(tag))
            return false;
        if (tag.code != 0)
            return fail(tag.line, QStringLiteral("group code %1 outside a record").arg(tag.code));
        const std::string_view type = trimmed(tag.value);
        if (type == "ENDSEC")
            return true;
        record.type = type;
        record.line = tag.line;
        if (!readRecordTags(m_raw) || !convert(m_raw, record, false))
            return false;
        std::unique_ptr<OdDbObject> object = OdDbObjectFactory::createObject(text(type));
        if (!readObject(*object, record))
            return false;
        const bool root = m_db->getNamedObjectsDictionaryId().isNull() && dynamic_cast<OdDbDictionary*>(object.get())
            && (!record.hasOwner || record.owner.isNull());
        const OdDbObjectId owner = record.hasOwner ? m_db->stubForHandle(record.owner) : OdDbObjectId();
        const OdDbObjectId id = addObject(std::move(object), record, owner);
        if (id.isNull())
            return false;
        if (root)
            m_db->setNamedObjectsDictionaryId(id);
    }
}

bool Parser::finish()
{
    for (const OwnerCheck& check : m_ownerChecks) {
        if (!check.owner.isValid())
            return fail(check.line, QStringLiteral("the owner %1 of a %2 does not exist").arg(check.owner.handle().ascii(), check.type));
    }
    if (m_hasHandseed && m_handseed.value() <= m_db->largestHandle().value())
        return fail(m_handseedLine, QStringLiteral("$HANDSEED %1 is not above the largest handle %2")
                                        .arg(m_handseed.ascii(), m_db->largestHandle().ascii()));
    m_db->setHandseed(m_handseed);
    m_db->assignPendingHandles();
    m_db->addMissingDefaults();
    for (const auto& [id, line] : m_objectLines) {
        QString message;
        if (m_db->getOdDbObjectId(id.handle()).object()->resolveReferences(*m_db, true, message) != OdResult::eOk)
            return fail(line, message);
    }
    return true;
}

}  // namespace

std::unique_ptr<OdDbDatabase> OdDxfReader::read(std::string_view data, OdDbReadError& error)
{
    Parser parser(data, error);
    return parser.run();
}

std::unique_ptr<OdDbDatabase> OdDxfReader::readFile(const QString& path, OdDbReadError& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = {0, -1, QStringLiteral("cannot open %1: %2").arg(path, file.errorString())};
        return nullptr;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = {0, -1, QStringLiteral("cannot read %1: %2").arg(path, file.errorString())};
        return nullptr;
    }
    return read(std::string_view(data.constData(), std::size_t(data.size())), error);
}
