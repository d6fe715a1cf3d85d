// The drawing database: a new drawing's contents, handles, group-code lists, changes from lists
// (all or nothing), extended data, dictionaries with stored LISP data, and the drawing order.
#include "host/sdk/db/OdDbBlockTableRecord.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/db/OdDbDictionary.h"
#include "host/sdk/db/OdDbHeavyPolyline.h"
#include "host/sdk/db/OdDbLayerTableRecord.h"
#include "host/sdk/db/OdDbLine.h"
#include "host/sdk/db/OdDbLinetypeTableRecord.h"
#include "host/sdk/db/OdDbObjectFactory.h"
#include "host/sdk/db/OdDbVertex.h"
#include "host/sdk/db/OdDbXrecord.h"
#include "host/sdk/db/OdVLObject.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Kind = OdDbSymbolTable::Kind;

OdDbObjectId addLine(OdDbDatabase& db, OdGePoint3d start, OdGePoint3d end, const QString& layer = QStringLiteral("0"))
{
    auto line = std::make_unique<OdDbLine>();
    line->setStartPoint(start);
    line->setEndPoint(end);
    line->setLayer(layer);
    return db.getModelSpaceId().openObject<OdDbBlockTableRecord>()->appendEntity(std::move(line));
}

std::vector<int> codesOf(const OdDbTagList& tags)
{
    std::vector<int> codes;
    for (const OdDbTag& tag : tags)
        codes.push_back(tag.code());
    return codes;
}

const OdDbTag* find(const OdDbTagList& tags, int code)
{
    for (const OdDbTag& tag : tags) {
        if (tag.code() == code)
            return &tag;
    }
    return nullptr;
}

}  // namespace

TEST(OdDbDatabase, NewDrawingHasWhatUsersExpect)
{
    auto db = OdDbDatabase::createNew();
    const OdDbObjectId layerZero = db->symbolTable(Kind::kLayer)->recordId(QStringLiteral("0"));
    const auto* layer = layerZero.openObject<OdDbLayerTableRecord>();
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->colorIndex(), 7);
    EXPECT_FALSE(layer->isOff());
    EXPECT_EQ(layer->linetype(), QStringLiteral("Continuous"));
    for (const char* name : {"CONTINUOUS", "BYLAYER", "byblock"})
        EXPECT_NE(db->symbolTable(Kind::kLinetype)->recordId(QString::fromLatin1(name)), OdDbObjectId()) << name;
    EXPECT_NE(db->symbolTable(Kind::kTextStyle)->recordId(QStringLiteral("STANDARD")), OdDbObjectId());
    EXPECT_NE(db->regAppId(QStringLiteral("acad")), OdDbObjectId());
    const auto* model = db->getModelSpaceId().openObject<OdDbBlockTableRecord>();
    const auto* paper = db->getPaperSpaceId().openObject<OdDbBlockTableRecord>();
    ASSERT_TRUE(model && paper);
    EXPECT_TRUE(model->isModelSpace());
    EXPECT_TRUE(paper->isLayout() && !paper->isModelSpace());
    EXPECT_TRUE(model->entityIds().empty());
    const auto* root = db->getNamedObjectsDictionaryId().openObject<OdDbDictionary>();
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->has(QStringLiteral("ACAD_GROUP")));
    EXPECT_EQ(db->header().getString(QStringLiteral("$CLAYER")), QStringLiteral("0"));
    EXPECT_EQ(db->firstEntity(), OdDbObjectId());
}

TEST(OdDbDatabase, HandlesAreUniqueAndFindTheirObjects)
{
    auto db = OdDbDatabase::createNew();
    std::set<std::uint64_t> handles;
    std::size_t count = 0;
    db->forEachObject([&](OdDbObject& object) {
        handles.insert(object.handle().value());
        ++count;
        EXPECT_EQ(db->getOdDbObjectId(object.handle()), object.objectId());
    });
    EXPECT_EQ(handles.size(), count);
    EXPECT_FALSE(handles.count(0));
    const OdDbObjectId line = addLine(*db, {0, 0, 0}, {1, 1, 0});
    EXPECT_GT(line.handle().value(), *handles.rbegin());
    EXPECT_GT(db->handseed().value(), line.handle().value());
    EXPECT_EQ(db->getOdDbObjectId(OdDbHandle(0xFFFFFF)), OdDbObjectId());
    // A handle in use cannot be given to a second object.
    EXPECT_EQ(db->addObject(std::make_unique<OdDbLine>(), db->getModelSpaceId(), line.handle()), OdDbObjectId());
}

TEST(OdDbDatabase, EntityPresentsItselfInTheOrderUsersSee)
{
    auto db = OdDbDatabase::createNew();
    const OdDbObjectId id = addLine(*db, {1, 2, 3}, {4, 5, 6});
    const OdDbTagList tags = id.object()->groupCodes();
    const std::vector<int> expected{-1, 0, 330, 5, 100, 67, 410, 8, 100, 39, 10, 11, 210};
    EXPECT_EQ(codesOf(tags), expected);
    EXPECT_EQ(tags[0].objectId(), id);
    EXPECT_EQ(tags[1].string(), QStringLiteral("LINE"));
    EXPECT_EQ(tags[2].objectId(), db->getModelSpaceId());
    EXPECT_EQ(tags[3].string(), id.handle().ascii());
    EXPECT_EQ(tags[6].string(), QStringLiteral("Model"));
    EXPECT_EQ(tags[10].point(), (OdGePoint3d{1, 2, 3}));
    EXPECT_EQ(tags[11].point(), (OdGePoint3d{4, 5, 6}));
}

TEST(OdDbDatabase, ListChangesTheFieldsItNamesAndCreatesTheLayer)
{
    auto db = OdDbDatabase::createNew();
    const OdDbObjectId id = addLine(*db, {0, 0, 0}, {1, 0, 0});
    OdDbTagList tags = id.object()->groupCodes();
    for (OdDbTag& tag : tags) {
        if (tag.code() == 8)
            tag = OdDbTag::string(8, QStringLiteral("NEW_LAYER"));
        if (tag.code() == 11)
            tag = OdDbTag::point(11, {7, 8, 9});
    }
    ASSERT_EQ(id.object()->setGroupCodes(tags), OdResult::eOk);
    const auto* line = id.openObject<OdDbLine>();
    EXPECT_EQ(line->layer(), QStringLiteral("NEW_LAYER"));
    EXPECT_EQ(line->endPoint(), (OdGePoint3d{7, 8, 9}));
    EXPECT_EQ(line->startPoint(), (OdGePoint3d{0, 0, 0}));
    EXPECT_NE(db->symbolTable(Kind::kLayer)->recordId(QStringLiteral("new_layer")), OdDbObjectId());
    // A partial list changes only what it names.
    ASSERT_EQ(id.object()->setGroupCodes({OdDbTag::real(39, 2.5)}), OdResult::eOk);
    EXPECT_EQ(line->endPoint(), (OdGePoint3d{7, 8, 9}));
    EXPECT_DOUBLE_EQ(find(id.object()->groupCodes(), 39)->real(), 2.5);
}

TEST(OdDbDatabase, FailedChangeLeavesTheObjectAsItWas)
{
    auto db = OdDbDatabase::createNew();
    const OdDbObjectId id = addLine(*db, {0, 0, 0}, {1, 0, 0});
    const OdDbTagList before = id.object()->groupCodes();
    OdDbReadError error;
    // The bad layer name comes after a valid change of the end point.
    EXPECT_EQ(id.object()->setGroupCodes({OdDbTag::point(11, {5, 5, 5}), OdDbTag::string(8, QStringLiteral("A<B"))}, &error),
              OdResult::eInvalidInput);
    EXPECT_EQ(error.index, 1);
    EXPECT_TRUE(error.message.contains(QStringLiteral("A<B")));
    EXPECT_EQ(id.object()->groupCodes(), before);
    EXPECT_EQ(id.object()->setGroupCodes({OdDbTag::string(6, QStringLiteral("NO_SUCH_LINETYPE"))}),
              OdResult::eUndefinedReference);
    EXPECT_EQ(id.object()->setGroupCodes({OdDbTag::string(10, QStringLiteral("not a point"))}), OdResult::eInvalidInput);
    EXPECT_EQ(id.object()->groupCodes(), before);
    EXPECT_EQ(db->symbolTable(Kind::kLayer)->recordId(QStringLiteral("A<B")), OdDbObjectId());
}

TEST(OdDbDatabase, NewEntityFromAListNeedsItsRequiredCodes)
{
    auto db = OdDbDatabase::createNew();
    std::unique_ptr<OdDbEntity> circle = OdDbObjectFactory::createEntity(u"CIRCLE");
    const OdDbTagList onlyCenter{OdDbTag::point(10, {1, 1, 0})};
    OdDbDxfIn in(*db, OdDbDxfIn::Source::GroupCodes, db->version(), onlyCenter);
    EXPECT_NE(circle->readFields(in), OdResult::eOk);
    EXPECT_TRUE(in.error().message.contains(QStringLiteral("40")));
}

TEST(OdDbDatabase, ExtendedDataReplacesOnlyTheApplicationsNamed)
{
    auto db = OdDbDatabase::createNew();
    ASSERT_NE(db->registerApplication(QStringLiteral("APP_A")), OdDbObjectId());
    ASSERT_NE(db->registerApplication(QStringLiteral("APP_B")), OdDbObjectId());
    OdDbObject* line = addLine(*db, {0, 0, 0}, {1, 0, 0}).object();
    ASSERT_EQ(line->setXData({OdDbTag::string(1001, QStringLiteral("APP_A")), OdDbTag::string(1000, QStringLiteral("a")),
                              OdDbTag::string(1001, QStringLiteral("APP_B")), OdDbTag::int16(1070, 2)}),
              OdResult::eOk);
    ASSERT_EQ(line->setXData({OdDbTag::string(1001, QStringLiteral("app_a")), OdDbTag::real(1040, 1.5)}), OdResult::eOk);
    EXPECT_EQ(line->xDataApplications(), (QStringList{QStringLiteral("APP_B"), QStringLiteral("app_a")}));
    EXPECT_EQ(line->xData(QStringLiteral("APP_A")).size(), 2u);
    EXPECT_EQ(line->setXData({OdDbTag::string(1001, QStringLiteral("UNKNOWN_APP")), OdDbTag::int16(1070, 1)}),
              OdResult::eRegAppNotFound);
    // The list form: -3 then the selected applications.
    const OdDbTagList tags = line->groupCodes([](const QString& app) { return app == QLatin1String("APP_B"); });
    const auto minus3 = std::find_if(tags.begin(), tags.end(), [](const OdDbTag& t) { return t.code() == -3; });
    ASSERT_NE(minus3, tags.end());
    EXPECT_EQ(tags.end() - minus3, 3);
    // An application given without data loses its data.
    ASSERT_EQ(line->setGroupCodes({OdDbTag::none(-3), OdDbTag::string(1001, QStringLiteral("APP_B"))}), OdResult::eOk);
    EXPECT_EQ(line->xDataApplications(), (QStringList{QStringLiteral("app_a")}));
}

TEST(OdDbDatabase, LispDataLivesInNamedAndExtensionDictionaries)
{
    auto db = OdDbDatabase::createNew();
    auto* root = db->getNamedObjectsDictionaryId().openObject<OdDbDictionary>();
    const OdDbObjectId dictionary = root->setAt(QStringLiteral("MY_DATA"), std::make_unique<OdDbDictionary>());
    auto data = std::make_unique<OdVLObject>();
    data->setData("( 1(&VLO-R . 0)\"x\")");
    const double reals[] = {2.5};
    data->setValues(reals);
    const OdDbObjectId first = dictionary.openObject<OdDbDictionary>()->setAt(QStringLiteral("key"), std::move(data));
    ASSERT_NE(first, OdDbObjectId());
    EXPECT_EQ(dictionary.openObject<OdDbDictionary>()->getAt(QStringLiteral("KEY")), first);
    EXPECT_EQ(first.object()->ownerId(), dictionary);
    // Setting the key again replaces the entry and erases the old object.
    const OdDbObjectId second = dictionary.openObject<OdDbDictionary>()->setAt(QStringLiteral("KEY"), std::make_unique<OdVLObject>());
    EXPECT_TRUE(first.isErased());
    EXPECT_EQ(dictionary.openObject<OdDbDictionary>()->getAt(QStringLiteral("key")), second);
    EXPECT_EQ(dictionary.openObject<OdDbDictionary>()->numEntries(), 1);

    OdDbObject* line = addLine(*db, {0, 0, 0}, {1, 0, 0}).object();
    EXPECT_EQ(line->extensionDictionary(), OdDbObjectId());
    ASSERT_EQ(line->createExtensionDictionary(), OdResult::eOk);
    const OdDbObjectId xdict = line->extensionDictionary();
    ASSERT_EQ(line->createExtensionDictionary(), OdResult::eOk);
    EXPECT_EQ(line->extensionDictionary(), xdict);
    EXPECT_EQ(xdict.object()->ownerId(), line->objectId());
    EXPECT_NE(find(line->groupCodes(), 360), nullptr);
}

TEST(OdDbDatabase, XrecordKeepsAnyGroupCodes)
{
    auto db = OdDbDatabase::createNew();
    auto* root = db->getNamedObjectsDictionaryId().openObject<OdDbDictionary>();
    const OdDbObjectId id = root->setAt(QStringLiteral("REC"), std::make_unique<OdDbXrecord>());
    const OdDbTagList data{OdDbTag::string(1, QStringLiteral("text")), OdDbTag::real(40, 3.25),
                           OdDbTag::int16(280, 7), OdDbTag::point(10, {1, 2, 3})};
    OdDbTagList change{OdDbTag::int16(280, 1)};
    change.insert(change.end(), data.begin(), data.end());
    ASSERT_EQ(id.object()->setGroupCodes(change), OdResult::eOk);
    EXPECT_EQ(id.openObject<OdDbXrecord>()->data(), data);
}

TEST(OdDbDatabase, DrawingOrderWalksSubEntitiesAndSkipsErased)
{
    auto db = OdDbDatabase::createNew();
    const OdDbObjectId first = addLine(*db, {0, 0, 0}, {1, 0, 0});
    auto* model = db->getModelSpaceId().openObject<OdDbBlockTableRecord>();
    const OdDbObjectId polylineId = model->appendEntity(std::make_unique<OdDbHeavyPolyline>());
    auto* polyline = polylineId.openObject<OdDbHeavyPolyline>();
    const OdDbObjectId v1 = polyline->appendVertex(std::make_unique<OdDbVertex>());
    const OdDbObjectId v2 = polyline->appendVertex(std::make_unique<OdDbVertex>());
    const OdDbObjectId erased = addLine(*db, {0, 0, 0}, {2, 0, 0});
    const OdDbObjectId last = addLine(*db, {0, 0, 0}, {3, 0, 0});
    auto paperLine = std::make_unique<OdDbLine>();
    const OdDbObjectId inPaper = db->getPaperSpaceId().openObject<OdDbBlockTableRecord>()->appendEntity(std::move(paperLine));
    erased.object()->erase();

    std::vector<OdDbObjectId> walked;
    for (OdDbObjectId id = db->firstEntity(); !id.isNull(); id = db->nextEntity(id, true))
        walked.push_back(id);
    const std::vector<OdDbObjectId> expected{first, polylineId, v1, v2, polyline->sequenceEndId(), last, inPaper};
    EXPECT_EQ(walked, expected);
    std::vector<OdDbObjectId> mainOnly;
    for (OdDbObjectId id = db->firstEntity(); !id.isNull(); id = db->nextEntity(id, false))
        mainOnly.push_back(id);
    EXPECT_EQ(mainOnly, (std::vector<OdDbObjectId>{first, polylineId, last, inPaper}));
    EXPECT_EQ(db->lastEntity(), inPaper);
    EXPECT_TRUE(inPaper.openObject<OdDbEntity>()->isInPaperSpace());
    // Un-erasing brings it back in its place.
    erased.object()->erase(false);
    EXPECT_EQ(db->nextEntity(polylineId, false), erased);
}

TEST(OdDbDatabase, TableRenameAndDuplicates)
{
    auto db = OdDbDatabase::createNew();
    OdDbSymbolTable* layers = db->symbolTable(Kind::kLayer);
    const OdDbObjectId walls = db->addLayer(QStringLiteral("Walls"));
    ASSERT_NE(walls, OdDbObjectId());
    EXPECT_EQ(db->addLayer(QStringLiteral("WALLS")), walls);
    EXPECT_EQ(db->addLayer(QStringLiteral("bad*name")), OdDbObjectId());
    auto duplicate = std::make_unique<OdDbLayerTableRecord>();
    duplicate->setName(QStringLiteral("walls"));
    EXPECT_EQ(layers->add(std::move(duplicate)), OdResult::eDuplicateKey);
    EXPECT_EQ(layers->rename(QStringLiteral("walls"), QStringLiteral("0")), OdResult::eDuplicateKey);
    ASSERT_EQ(layers->rename(QStringLiteral("walls"), QStringLiteral("Outer walls")), OdResult::eOk);
    EXPECT_EQ(layers->recordId(QStringLiteral("OUTER WALLS")), walls);
    EXPECT_EQ(layers->recordId(QStringLiteral("Walls")), OdDbObjectId());
    // A record renamed through its list is found under the new name.
    ASSERT_EQ(walls.object()->setGroupCodes({OdDbTag::string(2, QStringLiteral("Inner"))}), OdResult::eOk);
    EXPECT_EQ(layers->recordId(QStringLiteral("inner")), walls);
    EXPECT_EQ(walls.object()->setGroupCodes({OdDbTag::string(2, QStringLiteral("0"))}), OdResult::eDuplicateKey);
}
