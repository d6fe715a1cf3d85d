// The DXF writer: sections, records and tags as text.
#include "OdDxfWriter.h"

#include "OdDxfTextCodec.h"
#include "../db/OdDbBlockBegin.h"
#include "../db/OdDbBlockEnd.h"
#include "../db/OdDbBlockReference.h"
#include "../db/OdDbBlockTableRecord.h"
#include "../db/OdDbDatabase.h"
#include "../db/OdDbDictionary.h"
#include "../db/OdDbEntity.h"
#include "../db/OdDbHeavyPolyline.h"
#include "../db/OdDbSequenceEnd.h"
#include "../db/OdDbSymbolTableRecord.h"
#include "../db/OdVLObject.h"

#include <QSaveFile>

#include <array>
#include <charconv>

namespace {

using Kind = OdDbSymbolTable::Kind;

constexpr std::array kR12Entities{"LINE", "POINT", "CIRCLE", "ARC", "TRACE", "SOLID", "TEXT", "SHAPE", "INSERT",
                                  "ATTDEF", "ATTRIB", "POLYLINE", "VERTEX", "SEQEND", "3DFACE",
                                  "DIMENSION"};

bool isR12Entity(const QString& name)
{
    for (const char* entry : kR12Entities) {
        if (name == QLatin1String(entry))
            return true;
    }
    return false;
}

// Group codes an R12 file holds.
bool isR12Code(int code)
{
    return code < 100 || (code >= 140 && code <= 179) || (code >= 210 && code <= 239) || code == 999 || code >= 1000;
}

class Emitter {
public:
    Emitter(OdDbDxfVersion version, const QString& codePage) : m_version(version), m_codec(version, codePage)
    {
        m_out.reserve(1 << 20);
    }

    std::string& out() { return m_out; }
    bool isR12() const { return m_version == OdDbDxfVersion::kR12; }

    void code(int value)
    {
        char buffer[16];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        const std::size_t length = std::size_t(end - buffer);
        if (length < 3)
            m_out.append(3 - length, ' ');
        m_out.append(buffer, length);
        m_out += '\n';
    }
    void raw(int groupCode, std::string_view value)
    {
        code(groupCode);
        m_out += value;
        m_out += '\n';
    }
    void string(int groupCode, const QString& value)
    {
        code(groupCode);
        m_codec.encode(value, m_out);
        m_out += '\n';
    }
    void real(int groupCode, double value)
    {
        code(groupCode);
        char buffer[32];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        std::string_view text(buffer, std::size_t(end - buffer));
        m_out += text;
        // A real always shows that it is one.
        if (text.find_first_of(".eEn") == std::string_view::npos)
            m_out += ".0";
        m_out += '\n';
    }
    void integer(int groupCode, std::int64_t value)
    {
        code(groupCode);
        char buffer[24];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        m_out.append(buffer, std::size_t(end - buffer));
        m_out += '\n';
    }

    void tag(const OdDbTag& tag)
    {
        const int groupCode = tag.code();
        switch (tag.type()) {
        case OdDbTag::Type::None:
            return;
        case OdDbTag::Type::String:
            string(groupCode, tag.string());
            return;
        case OdDbTag::Type::Real:
            real(groupCode, tag.real());
            return;
        case OdDbTag::Type::Point: {
            const OdGePoint3d p = tag.point();
            real(groupCode, p.x);
            real(groupCode + 10, p.y);
            if (!tag.is2dPoint())
                real(groupCode + 20, p.z);
            return;
        }
        case OdDbTag::Type::Int16:
        case OdDbTag::Type::Int32:
        case OdDbTag::Type::Int64:
            integer(groupCode, tag.integer());
            return;
        case OdDbTag::Type::ObjectId:
            raw(groupCode, tag.objectId().handle().ascii().toStdString());
            return;
        case OdDbTag::Type::Binary: {
            // At most 127 bytes a line.
            const QByteArray& bytes = tag.binary();
            for (int start = 0; start < bytes.size() || start == 0; start += 127) {
                raw(groupCode, bytes.mid(start, 127).toHex().toUpper().toStdString());
                if (bytes.isEmpty())
                    break;
            }
            return;
        }
        }
    }

    // A record's tags; R12 drops what it cannot hold, but keeps the record's own handle.
    void tags(const OdDbTagList& list)
    {
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (isR12() && i > 1 && !isR12Code(list[i].code()))
                continue;
            tag(list[i]);
        }
    }

private:
    OdDbDxfVersion m_version;
    OdDxfTextCodec m_codec;
    std::string m_out;
};

// Whether an object goes into the file: it is live and so is each of its owners.
bool isWritten(const OdDbObject& object)
{
    const OdDbObject* current = &object;
    for (int depth = 0; current && depth < 64; ++depth) {
        if (current->isErased())
            return false;
        current = current->ownerId().object();
    }
    return true;
}

class Writer {
public:
    Writer(OdDbDatabase& db, OdDbDxfVersion version)
        : m_db(db), m_version(version),
          m_emit(version, db.header().getString(QStringLiteral("$DWGCODEPAGE"), QStringLiteral("ANSI_1252")))
    {
    }

    std::string run(int& leftOut);

private:
    OdDbTagList recordTags(const OdDbObject& object)
    {
        m_tags.clear();
        OdDbDxfOut out(m_tags, OdDbDxfOut::Target::Dxf, m_version);
        object.dxfOut(out);
        return m_tags;
    }
    void header();
    void classes();
    void tables();
    void blocks();
    void entities();
    void objects();
    void entity(OdDbObjectId id);
    void section(const char* name) { m_emit.raw(0, "SECTION"); m_emit.raw(2, name); }
    void endSection() { m_emit.raw(0, "ENDSEC"); }

    OdDbDatabase& m_db;
    OdDbDxfVersion m_version;
    Emitter m_emit;
    OdDbTagList m_tags;
    int m_leftOut = 0;
};

void Writer::header()
{
    section("HEADER");
    m_emit.raw(9, "$ACADVER");
    m_emit.string(1, OdDbDxfVersions::name(m_version));
    m_emit.raw(9, "$DWGCODEPAGE");
    m_emit.string(3, m_db.header().getString(QStringLiteral("$DWGCODEPAGE"), QStringLiteral("ANSI_1252")));
    if (m_emit.isR12()) {
        m_emit.raw(9, "$HANDLING");
        m_emit.integer(70, 1);
    }
    m_emit.raw(9, "$HANDSEED");
    m_emit.string(5, m_db.handseed().ascii());
    const OdDbHeader& header = m_db.header();
    for (const QString& name : header.names()) {
        if (name == QLatin1String("$DWGCODEPAGE") || name == QLatin1String("$HANDLING")
            || name == QLatin1String("$ACADVER") || name == QLatin1String("$HANDSEED"))
            continue;
        const OdDbTagList& value = *header.get(name);
        if (m_emit.isR12() && !value.empty() && !isR12Code(value.front().code()))
            continue;
        m_emit.string(9, name);
        for (const OdDbTag& tag : value)
            m_emit.tag(tag);
    }
    endSection();
}

void Writer::classes()
{
    bool lispDataUsed = false;
    int lispDataCount = 0;
    m_db.forEachObject([&](OdDbObject& object) {
        if (dynamic_cast<OdVLObject*>(&object) && isWritten(object)) {
            lispDataUsed = true;
            ++lispDataCount;
        }
    });
    section("CLASSES");
    for (const OdDbTagList& entry : m_db.classes()) {
        bool lispData = false;
        for (const OdDbTag& tag : entry)
            lispData = lispData || (tag.code() == 1 && tag.string() == QLatin1String(OdVLObject::kDxfName));
        if (lispData)
            continue;
        m_emit.raw(0, "CLASS");
        for (const OdDbTag& tag : entry)
            m_emit.tag(tag);
    }
    if (lispDataUsed) {
        m_emit.raw(0, "CLASS");
        m_emit.raw(1, OdVLObject::kDxfName);
        m_emit.raw(2, "OdVLObject");
        m_emit.raw(3, "LispData");
        m_emit.integer(90, 0);
        m_emit.integer(91, lispDataCount);
        m_emit.integer(280, 0);
        m_emit.integer(281, 0);
    }
    endSection();
}

void Writer::tables()
{
    section("TABLES");
    for (int k = 0; k < OdDbSymbolTable::kKindCount; ++k) {
        const auto kind = Kind(k);
        if (kind == Kind::kBlock && m_emit.isR12())
            continue;
        const OdDbSymbolTable* table = m_db.symbolTable(kind);
        if (!table)
            continue;
        const OdDbTagList head = recordTags(*table);
        m_emit.raw(0, "TABLE");
        m_emit.string(2, OdDbSymbolTable::tableName(kind));
        if (m_emit.isR12()) {
            int count = 0;
            for (OdDbObjectId id : table->recordIds())
                count += id.isErased() ? 0 : 1;
            m_emit.integer(70, count);
        } else {
            for (std::size_t i = 1; i < head.size(); ++i)
                m_emit.tag(head[i]);
        }
        for (OdDbObjectId id : table->recordIds()) {
            if (const OdDbObject* record = id.object(); record && !record->isErased())
                m_emit.tags(recordTags(*record));
        }
        m_emit.raw(0, "ENDTAB");
    }
    endSection();
}

void Writer::entity(OdDbObjectId id)
{
    const OdDbObject* object = id.object();
    if (!object || object->isErased())
        return;
    if (m_emit.isR12() && !isR12Entity(object->dxfName())) {
        ++m_leftOut;
        return;
    }
    m_emit.tags(recordTags(*object));
    auto children = [this](const std::vector<OdDbObjectId>& ids, OdDbObjectId end) {
        bool any = false;
        for (OdDbObjectId child : ids) {
            if (const OdDbObject* sub = child.object(); sub && !sub->isErased()) {
                m_emit.tags(recordTags(*sub));
                any = true;
            }
        }
        return any;
    };
    if (const auto* polyline = dynamic_cast<const OdDbHeavyPolyline*>(object)) {
        children(polyline->vertexIds(), polyline->sequenceEndId());
        if (const OdDbObject* end = polyline->sequenceEndId().object())
            m_emit.tags(recordTags(*end));
    } else if (const auto* reference = dynamic_cast<const OdDbBlockReference*>(object)) {
        if (children(reference->attributeIds(), reference->sequenceEndId())) {
            if (const OdDbObject* end = reference->sequenceEndId().object())
                m_emit.tags(recordTags(*end));
        }
    }
}

void Writer::blocks()
{
    section("BLOCKS");
    const OdDbSymbolTable* table = m_db.symbolTable(Kind::kBlock);
    for (OdDbObjectId id : table->recordIds()) {
        const auto* block = id.openObject<OdDbBlockTableRecord>();
        if (!block)
            continue;
        const bool model = block->isModelSpace();
        const bool paper = block->name().compare(OdDbBlockTableRecord::kPaperSpace, Qt::CaseInsensitive) == 0;
        if (m_emit.isR12() && block->isLayout() && !model && !paper) {
            for (OdDbObjectId entityId : block->entityIds())
                m_leftOut += entityId.isErased() ? 0 : 1;
            continue;
        }
        OdDbTagList begin = recordTags(*block->blockBeginId().object());
        if (m_emit.isR12() && (model || paper)) {
            const QString name = model ? QStringLiteral("$MODEL_SPACE") : QStringLiteral("$PAPER_SPACE");
            for (OdDbTag& tag : begin) {
                if (tag.code() == 2 || tag.code() == 3)
                    tag = OdDbTag::string(tag.code(), name);
            }
        }
        m_emit.tags(begin);
        if (!model && !paper) {
            for (OdDbObjectId entityId : block->entityIds())
                entity(entityId);
        }
        m_emit.tags(recordTags(*block->blockEndId().object()));
    }
    endSection();
}

void Writer::entities()
{
    section("ENTITIES");
    for (OdDbObjectId layout : {m_db.getModelSpaceId(), m_db.getPaperSpaceId()}) {
        if (const auto* block = layout.openObject<OdDbBlockTableRecord>()) {
            for (OdDbObjectId id : block->entityIds())
                entity(id);
        }
    }
    endSection();
}

void Writer::objects()
{
    section("OBJECTS");
    const OdDbObjectId rootId = m_db.getNamedObjectsDictionaryId();
    if (const OdDbObject* root = rootId.object())
        m_emit.tags(recordTags(*root));
    m_db.forEachObject([&](OdDbObject& object) {
        if (object.objectId() == rootId || dynamic_cast<OdDbEntity*>(&object)
            || dynamic_cast<OdDbSymbolTable*>(&object) || dynamic_cast<OdDbSymbolTableRecord*>(&object)
            || !isWritten(object))
            return;
        m_emit.tags(recordTags(object));
    });
    endSection();
}

std::string Writer::run(int& leftOut)
{
    header();
    if (!m_emit.isR12())
        classes();
    tables();
    blocks();
    entities();
    if (!m_emit.isR12())
        objects();
    m_emit.raw(0, "EOF");
    leftOut = m_leftOut;
    return std::move(m_emit.out());
}

// What a file needs and the database may lack.
void completeForWriting(OdDbDatabase& db)
{
    db.addMissingDefaults();
    std::vector<OdDbObjectId> polylines;
    std::vector<OdDbObjectId> blocks;
    db.forEachObject([&](OdDbObject& object) {
        if (auto* polyline = dynamic_cast<OdDbHeavyPolyline*>(&object); polyline && polyline->sequenceEndId().isNull())
            polylines.push_back(object.objectId());
        else if (auto* block = dynamic_cast<OdDbBlockTableRecord*>(&object);
                 block && (block->blockBeginId().isNull() || block->blockEndId().isNull()))
            blocks.push_back(object.objectId());
    });
    for (OdDbObjectId id : polylines) {
        auto* polyline = id.openObject<OdDbHeavyPolyline>();
        auto end = std::make_unique<OdDbSequenceEnd>();
        end->setLayer(polyline->layer());
        polyline->setSequenceEndId(db.addObject(std::move(end), id));
    }
    for (OdDbObjectId id : blocks) {
        auto* block = id.object() ? dynamic_cast<OdDbBlockTableRecord*>(id.object()) : nullptr;
        if (block->blockBeginId().isNull())
            block->setBlockBeginId(db.addObject(std::make_unique<OdDbBlockBegin>(), id));
        if (block->blockEndId().isNull())
            block->setBlockEndId(db.addObject(std::make_unique<OdDbBlockEnd>(), id));
    }
}

}  // namespace

std::string OdDxfWriter::write(OdDbDatabase& db, OdDbDxfVersion version, int* leftOut)
{
    completeForWriting(db);
    Writer writer(db, version);
    int dropped = 0;
    std::string text = writer.run(dropped);
    if (leftOut)
        *leftOut = dropped;
    return text;
}

OdResult OdDxfWriter::writeFile(OdDbDatabase& db, const QString& path, QString& error,
                                std::optional<OdDbDxfVersion> version, int* leftOut)
{
    const std::string text = write(db, version.value_or(db.version()), leftOut);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return OdResult::eFileWriteError;
    }
    if (file.write(text.data(), qint64(text.size())) != qint64(text.size())) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return OdResult::eFileWriteError;
    }
    if (!file.commit()) {
        error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return OdResult::eFileWriteError;
    }
    return OdResult::eOk;
}
