// The DXF reader on drawings another library wrote (each version), on the deliberately broken
// files (each refused with the line of its defect), and on a drawing of 100,000 entities.
#include "host/sdk/db/OdDbBlockReference.h"
#include "host/sdk/db/OdDbBlockTableRecord.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/db/OdDbDictionary.h"
#include "host/sdk/db/OdDbHeavyPolyline.h"
#include "host/sdk/db/OdDbLayerTableRecord.h"
#include "host/sdk/db/OdDbLine.h"
#include "host/sdk/db/OdDbText.h"
#include "host/sdk/db/OdDbXrecord.h"
#include "host/sdk/dxf/OdDxfReader.h"
#include "host/sdk/dxf/OdDxfWriter.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Kind = OdDbSymbolTable::Kind;

QString fixture(const char* name)
{
    return QStringLiteral(KELTORA_SOURCE_DIR "/../shared/dxf/fixtures/") + QString::fromLatin1(name);
}

std::unique_ptr<OdDbDatabase> readFixture(const char* name)
{
    OdDbReadError error;
    auto db = OdDxfReader::readFile(fixture(name), error);
    EXPECT_NE(db, nullptr) << name << ": " << error.message.toStdString();
    return db;
}

std::map<QString, int> countEntities(OdDbObjectId blockId)
{
    std::map<QString, int> counts;
    for (OdDbObjectId id : blockId.openObject<OdDbBlockTableRecord>()->entityIds())
        ++counts[id.object()->dxfName()];
    return counts;
}

OdDbObject* byHandle(OdDbDatabase& db, std::uint64_t handle)
{
    return db.getOdDbObjectId(OdDbHandle(handle)).object();
}

struct FeatureFixture {
    const char* file;
    OdDbDxfVersion version;
    int modelEntities;
    std::uint64_t firstLine, circleWithXData, insertWithAttributes, polyline, unicodeText;
};

class FeatureDrawings : public ::testing::TestWithParam<FeatureFixture> {};

}  // namespace

TEST_P(FeatureDrawings, ReadAsTheManifestDescribes)
{
    const FeatureFixture& f = GetParam();
    auto db = readFixture(f.file);
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(db->version(), f.version);
    int model = 0;
    for (const auto& [type, count] : countEntities(db->getModelSpaceId()))
        model += count;
    EXPECT_EQ(model, f.modelEntities);
    EXPECT_EQ(countEntities(db->getPaperSpaceId())[QStringLiteral("LINE")], 4);

    const auto* line = dynamic_cast<OdDbLine*>(byHandle(*db, f.firstLine));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->layer(), QStringLiteral("WALLS"));
    EXPECT_EQ(line->endPoint(), (OdGePoint3d{10, 0, 0}));
    EXPECT_EQ(line->ownerId(), db->getModelSpaceId());

    const OdDbTagList xdata = byHandle(*db, f.circleWithXData)->xData(QStringLiteral("FIXTURE_APP"));
    ASSERT_EQ(xdata.size(), 5u);
    EXPECT_EQ(xdata[1].string(), QStringLiteral("circle with xdata"));
    EXPECT_DOUBLE_EQ(xdata[2].real(), 8.75);
    EXPECT_EQ(xdata[3].integer(), 7);
    EXPECT_EQ(xdata[4].point(), (OdGePoint3d{7, 14, 0}));

    const auto* insert = dynamic_cast<OdDbBlockReference*>(byHandle(*db, f.insertWithAttributes));
    ASSERT_NE(insert, nullptr);
    EXPECT_EQ(insert->blockName(), QStringLiteral("DOOR"));
    ASSERT_EQ(insert->attributeIds().size(), 2u);
    EXPECT_EQ(insert->attributeIds()[0].object()->ownerId(), insert->objectId());
    EXPECT_NE(insert->sequenceEndId(), OdDbObjectId());

    const auto* polyline = dynamic_cast<OdDbHeavyPolyline*>(byHandle(*db, f.polyline));
    ASSERT_NE(polyline, nullptr);
    EXPECT_EQ(polyline->vertexIds().size(), 5u);

    // Ø, the code-page characters and 中 (a \U+ escape below R2007, UTF-8 from it on).
    const auto* text = dynamic_cast<OdDbText*>(byHandle(*db, f.unicodeText));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->textString().startsWith(QChar(0x00D8))) << text->textString().toStdString();
    EXPECT_TRUE(text->textString().endsWith(QChar(0x4E2D))) << text->textString().toStdString();

    const auto* off = db->symbolTable(Kind::kLayer)->recordId(QStringLiteral("OFF_LAYER")).openObject<OdDbLayerTableRecord>();
    ASSERT_NE(off, nullptr);
    EXPECT_TRUE(off->isOff());
    EXPECT_EQ(off->colorIndex(), 211);
    EXPECT_TRUE(db->symbolTable(Kind::kLayer)->recordId(QStringLiteral("FROZEN_LAYER")).openObject<OdDbLayerTableRecord>()->isFrozen());
    EXPECT_GT(db->handseed().value(), db->largestHandle().value());
}

INSTANTIATE_TEST_SUITE_P(
    Versions, FeatureDrawings,
    ::testing::Values(FeatureFixture{"features_r12.dxf", OdDbDxfVersion::kR12, 27, 0x4C, 0x52, 0x6C, 0x5B, 0x6B},
                      FeatureFixture{"features_r2000.dxf", OdDbDxfVersion::kR2000, 37, 0x4E, 0x54, 0x6E, 0x5D, 0x6D},
                      FeatureFixture{"features_r2000_crlf.dxf", OdDbDxfVersion::kR2000, 37, 0x4E, 0x54, 0x6E, 0x5D, 0x6D},
                      FeatureFixture{"features_r2018.dxf", OdDbDxfVersion::kR2018, 37, 0x4E, 0x54, 0x6E, 0x5D, 0x6D}));

TEST(OdDxfReader, ObjectsOfR2000AndLaterAreRead)
{
    auto db = readFixture("features_r2000.dxf");
    ASSERT_NE(db, nullptr);
    const auto* root = db->getNamedObjectsDictionaryId().openObject<OdDbDictionary>();
    ASSERT_NE(root, nullptr);
    const auto* data = root->getAt(QStringLiteral("FIXTURE_DATA")).openObject<OdDbDictionary>();
    ASSERT_NE(data, nullptr);
    const auto* settings = data->getAt(QStringLiteral("SETTINGS")).openObject<OdDbXrecord>();
    ASSERT_NE(settings, nullptr);
    ASSERT_EQ(settings->data().size(), 6u);
    EXPECT_EQ(settings->data()[0].string(), QStringLiteral("fixture settings"));
    EXPECT_EQ(settings->data()[3].integer(), 123456);
    EXPECT_EQ(settings->data()[4].point(), (OdGePoint3d{1, 2, 3}));
    // Unmodelled objects keep their codes: the LAYOUT of paper space names it.
    EXPECT_EQ(db->getPaperSpaceId().openObject<OdDbBlockTableRecord>()->layoutName(), QStringLiteral("Layout1"));
}

namespace {

struct BrokenFixture {
    const char* file;
    long line;
    const char* words;
};

class BrokenDrawings : public ::testing::TestWithParam<BrokenFixture> {};

}  // namespace

TEST_P(BrokenDrawings, AreRefusedWithTheLineOfTheirDefect)
{
    const BrokenFixture& f = GetParam();
    OdDbReadError error;
    auto db = OdDxfReader::readFile(fixture("broken/") + QString::fromLatin1(f.file), error);
    EXPECT_EQ(db, nullptr);
    EXPECT_EQ(error.line, f.line) << error.message.toStdString();
    EXPECT_TRUE(error.message.startsWith(QStringLiteral("line %1: ").arg(f.line))) << error.message.toStdString();
    EXPECT_TRUE(error.message.contains(QString::fromUtf8(f.words))) << error.message.toStdString();
}

// Lines checked against the files: the value line for a bad value, the tag for a bad record.
INSTANTIATE_TEST_SUITE_P(
    Defects, BrokenDrawings,
    ::testing::Values(BrokenFixture{"bad_float_value.dxf", 3082, "\"abc\" is not a number"},
                      BrokenFixture{"bad_group_code.dxf", 3079, "group code \"1O\""},
                      BrokenFixture{"dangling_owner.dxf", 3071, "owner FFFF"},
                      BrokenFixture{"duplicate_handle.dxf", 3067, "handle 4E"},
                      BrokenFixture{"invalid_layer_name.dxf", 3075, "BAD<NAME>"},
                      BrokenFixture{"low_handseed.dxf", 507, "$HANDSEED 10"},
                      BrokenFixture{"missing_acdbentity.dxf", 3067, "AcDbEntity"},
                      BrokenFixture{"missing_eof.dxf", 6080, "without 0/EOF"},
                      BrokenFixture{"r12_truncated.dxf", 1826, "without 0/EOF"},
                      BrokenFixture{"truncated.dxf", 3442, "without its value"},
                      BrokenFixture{"wrong_group_code.dxf", 3081, "group code 20 comes without its x"}));

TEST(OdDxfReader, HundredThousandEntities)
{
    auto db = OdDbDatabase::createNew();
    auto* model = db->getModelSpaceId().openObject<OdDbBlockTableRecord>();
    constexpr int kCount = 100000;
    for (int i = 0; i < kCount; ++i) {
        auto line = std::make_unique<OdDbLine>();
        line->setStartPoint({double(i), 0, 0});
        line->setEndPoint({double(i), 1, 0});
        (void)model->appendEntity(std::move(line));
    }
    const std::string text = OdDxfWriter::write(*db, OdDbDxfVersion::kR2000);
    OdDbReadError error;
    auto read = OdDxfReader::read(text, error);
    ASSERT_NE(read, nullptr) << error.message.toStdString();
    const auto& ids = read->getModelSpaceId().openObject<OdDbBlockTableRecord>()->entityIds();
    ASSERT_EQ(ids.size(), std::size_t(kCount));
    EXPECT_EQ(ids.back().openObject<OdDbLine>()->startPoint(), (OdGePoint3d{kCount - 1.0, 0, 0}));
    int walked = 0;
    for (OdDbObjectId id = read->firstEntity(); !id.isNull(); id = read->nextEntity(id, true))
        ++walked;
    EXPECT_EQ(walked, kCount);
}

TEST(OdDxfReader, TextOutsideTheCodePageAndControlCharactersSurvive)
{
    // Lower- and upper-case escapes, caret notation for a line break and for "^" itself.
    const std::string file =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$HANDSEED\n5\n100\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nTEXT\n5\n50\n8\n0\n10\n0\n20\n0\n30\n0\n40\n1\n1\na\\U+4e2db\\U+00D8^J^ c\n"
        "0\nENDSEC\n0\nEOF\n";
    OdDbReadError error;
    auto db = OdDxfReader::read(file, error);
    ASSERT_NE(db, nullptr) << error.message.toStdString();
    const auto* text = db->getOdDbObjectId(OdDbHandle(0x50)).openObject<OdDbText>();
    ASSERT_NE(text, nullptr);
    const QString expected = QStringLiteral("a") + QChar(0x4E2D) + QStringLiteral("b") + QChar(0x00D8) + QStringLiteral("\n^c");
    EXPECT_EQ(text->textString(), expected);
    // Written back and read again it is the same text.
    auto again = OdDxfReader::read(OdDxfWriter::write(*db, OdDbDxfVersion::kR2000), error);
    ASSERT_NE(again, nullptr) << error.message.toStdString();
    EXPECT_EQ(again->getOdDbObjectId(OdDbHandle(0x50)).openObject<OdDbText>()->textString(), expected);
}

namespace {

TEST(OdDxfReader, ABlockRecordUnderAnInvalidNameIsRefused)
{
    // Accepted, it would be written as a BLOCK the reader refuses: the drawing would not read back.
    const std::string file =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$HANDSEED\n5\n100\n0\nENDSEC\n"
        "0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nBLOCK_RECORD\n5\n1\n70\n1\n"
        "0\nBLOCK_RECORD\n5\n20\n100\nAcDbSymbolTableRecord\n100\nAcDbBlockTableRecord\n2\nA<B\n"
        "0\nENDTAB\n0\nENDSEC\n0\nEOF\n";
    OdDbReadError error;
    EXPECT_EQ(OdDxfReader::read(file, error), nullptr);
    EXPECT_EQ(error.line, 27);
    EXPECT_TRUE(error.message.contains(QStringLiteral("\"A<B\" is not valid"))) << error.message.toStdString();
}

TEST(OdDxfReader, AnIntegerWrittenAsAHugeRealIsRefused)
{
    const std::string file =
        "0\nSECTION\n2\nHEADER\n9\n$ACADVER\n1\nAC1015\n9\n$HANDSEED\n5\n100\n0\nENDSEC\n"
        "0\nSECTION\n2\nENTITIES\n0\nLINE\n5\n50\n8\n0\n62\n1e300\n10\n0\n20\n0\n11\n1\n21\n1\n"
        "0\nENDSEC\n0\nEOF\n";
    OdDbReadError error;
    EXPECT_EQ(OdDxfReader::read(file, error), nullptr);
    EXPECT_TRUE(error.message.contains(QStringLiteral("\"1e300\" is not an integer (group code 62)"))) << error.message.toStdString();
}

}  // namespace
