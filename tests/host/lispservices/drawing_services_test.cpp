// The workbench's drawing services over a real document: selection-set lifetime, names of other
// drawings, chains and group-code lists, and objects made record by record.
#include "host/framework/CTqDocumentImpl.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/framework/scripted_host_console.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "host/lispservices/TqChainTags.h"
#include "host/lispservices/TqGeometry.h"
#include "host/lispservices/TqResultBuffers.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/db/OdDbObject.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class DrawingServices : public ::testing::Test {
protected:
    void SetUp() override { CTqSystemServicesImpl::Instance().SetCurrentDocument(&document); }
    void TearDown() override { CTqSystemServicesImpl::Instance().SetCurrentDocument(nullptr); }

    // A chain of data records from (code, text) pairs and (code, number) pairs.
    TqResultBuffer* chain(std::initializer_list<std::pair<int, const char*>> strings, std::initializer_list<std::pair<int, double>> points = {})
    {
        TqResultBuffer* head = nullptr;
        TqResultBuffer** tail = &head;
        for (const auto& [code, text] : strings) {
            *tail = TqNewResultBuffer(short(code));
            const std::u16string wide = QString::fromUtf8(text).toStdU16String();
            (*tail)->value.string = TqAllocText(wide.data(), wide.size());
            tail = &(*tail)->next;
        }
        for (const auto& [code, value] : points) {
            *tail = TqNewResultBuffer(short(code));
            (*tail)->value.point[0] = value;
            (*tail)->value.point[1] = value;
            tail = &(*tail)->next;
        }
        return head;
    }

    TqName makeLine()
    {
        TqResultBuffer* data = chain({{0, "LINE"}}, {{10, 0.0}, {11, 5.0}});
        TqName made;
        EXPECT_EQ(services.Entities()->EntityMake(data, made), tq::kNormal);
        TqReleaseChain(data);
        return made;
    }

    ScriptedHostConsole console;
    CTqWorkbenchLispServices services{console};
    CTqDocumentImpl document;
};

TEST_F(DrawingServices, ASetLivesWhileANodeNamesIt)
{
    const TqName line = makeLine();
    TqName set;
    ASSERT_EQ(services.Selections()->SelectionSetAdd(line, nullptr, set), tq::kNormal);
    // Two nodes name the set (a value and its copy); releasing one keeps it.
    EXPECT_EQ(services.ConfirmSelectionSet(set.word1, set.word2), tq::kNormal);
    EXPECT_EQ(services.ConfirmSelectionSet(set.word1, set.word2), tq::kNormal);
    EXPECT_EQ(services.FreeSelectionSet(set.word1, set.word2), tq::kNormal);
    std::int32_t length = -1;
    EXPECT_EQ(services.Selections()->SelectionSetLength(set, length), tq::kNormal);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(services.FreeSelectionSet(set.word1, set.word2), tq::kNormal);
    EXPECT_EQ(services.Selections()->SelectionSetLength(set, length), tq::kError);
    EXPECT_EQ(services.ErrorNumber(), tq::kErrInvalidEntity);
}

TEST_F(DrawingServices, NamesOfAReplacedDrawingAreRefused)
{
    const TqName line = makeLine();
    TqName set;
    ASSERT_EQ(services.Selections()->SelectionSetAdd(line, nullptr, set), tq::kNormal);
    ASSERT_EQ(services.ConfirmSelectionSet(set.word1, set.word2), tq::kNormal);
    document.SetDatabase(OdDbDatabase::createNew());
    TqResultBuffer* data = nullptr;
    EXPECT_EQ(services.Entities()->EntityGet(line, nullptr, data), tq::kNone);
    EXPECT_EQ(data, nullptr);
    std::int32_t length = -1;
    EXPECT_EQ(services.Selections()->SelectionSetLength(set, length), tq::kError);
    EXPECT_EQ(services.Selections()->RemoveDeleted(), tq::kNormal);
    TqName entity;
    EXPECT_EQ(services.Selections()->SelectionSetName(set, 0, entity), tq::kError);
    // The node that named the set still frees it.
    EXPECT_EQ(services.FreeSelectionSet(set.word1, set.word2), tq::kNormal);
}

TEST_F(DrawingServices, GroupCodeListsSurviveTheTripThroughAChain)
{
    OdDbDatabase& db = *document.Database();
    ASSERT_FALSE(db.registerApplication(QStringLiteral("APP")).isNull());
    const TqName line = makeLine();
    OdDbObject* object = TqIdOf(db, line).object();
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->setXData({OdDbTag::string(1001, QStringLiteral("APP")), OdDbTag::string(1000, QStringLiteral("note")),
                                OdDbTag::real(1040, 2.5), OdDbTag::int16(1070, 7), OdDbTag::binary(1004, QByteArray("\x01\xff", 2))}),
              OdResult::eOk);
    const OdDbTagList tags = object->groupCodes([](const QString&) { return true; });
    TqResultBuffer* data = nullptr;
    ASSERT_TRUE(TqTagsToChain(tags, data));
    OdDbTagList back;
    QString message;
    EXPECT_TRUE(TqChainToTags(data, db, back, message)) << message.toStdString();
    TqReleaseChain(data);
    ASSERT_EQ(back.size(), tags.size());
    for (std::size_t i = 0; i < tags.size(); ++i)
        EXPECT_EQ(back[i].toString(), tags[i].toString()) << i;
    // A name of another drawing does not convert.
    TqResultBuffer* foreign = TqNewResultBuffer(330);
    foreign->value.name[0] = db.serialNumber() + 1000;
    foreign->value.name[1] = line.word2;
    EXPECT_FALSE(TqChainToTags(foreign, db, back, message));
    TqReleaseChain(foreign);
}

TEST_F(DrawingServices, AnUnfinishedPolylineNeverJoinsTheDrawing)
{
    TqName made;
    TqResultBuffer* head = chain({{0, "POLYLINE"}}, {{10, 0.0}});
    TqResultBuffer* vertex = chain({{0, "VERTEX"}}, {{10, 1.0}});
    TqResultBuffer* end = chain({{0, "SEQEND"}});
    EXPECT_EQ(services.Entities()->EntityMake(head, made), tq::kNormal);
    EXPECT_EQ(services.Entities()->EntityMake(vertex, made), tq::kNormal);
    const std::size_t before = document.Database()->numObjects();
    // A new drawing drops the half-made polyline; its SEQEND then has nothing to end.
    document.SetDatabase(OdDbDatabase::createNew());
    EXPECT_EQ(services.Entities()->EntityMake(end, made), tq::kError);
    TqName last;
    EXPECT_EQ(services.Entities()->EntityLast(last), tq::kNone);
    EXPECT_GT(before, 0u);
    TqReleaseChain(head);
    TqReleaseChain(vertex);
    TqReleaseChain(end);
}

TEST_F(DrawingServices, ExtendedDataSizeCountsCodesAndValues)
{
    TqResultBuffer* data = chain({{1001, "APP"}, {1000, "abc"}});
    int size = 0;
    EXPECT_EQ(services.Tables()->ExtendedDataSize(data, size), tq::kNormal);
    EXPECT_EQ(size, (2 + 4) + (2 + 4));
    TqReleaseChain(data);
    TqResultBuffer* outside = chain({{8, "LAYER"}});
    EXPECT_EQ(services.Tables()->ExtendedDataSize(outside, size), tq::kError);
    TqReleaseChain(outside);
}

}  // namespace

namespace {

TEST(TqGeometry, ReferenceTransformScalesRotatesAndMovesTheBasePoint)
{
    auto db = OdDbDatabase::createNew();
    CTqDocumentImpl document;
    document.SetDatabase(std::move(db));
    CTqSystemServicesImpl::Instance().SetCurrentDocument(&document);
    ScriptedHostConsole console;
    CTqWorkbenchLispServices services(console);
    auto make = [&](std::initializer_list<OdDbTag> tags) {
        TqResultBuffer* chain = nullptr;
        ASSERT_TRUE(TqTagsToChain(OdDbTagList(tags), chain));
        TqName made;
        const short status = services.Entities()->EntityMake(chain, made);
        EXPECT_TRUE(status == tq::kNormal || status == tq::kKeyword);
        TqReleaseChain(chain);
    };
    make({OdDbTag::string(0, QStringLiteral("BLOCK")), OdDbTag::string(2, QStringLiteral("B")), OdDbTag::int16(70, 0),
          OdDbTag::point(10, {1, 1, 0})});
    make({OdDbTag::string(0, QStringLiteral("CIRCLE")), OdDbTag::point(10, {2, 1, 0}), OdDbTag::real(40, 0.5)});
    make({OdDbTag::string(0, QStringLiteral("ENDBLK"))});
    make({OdDbTag::string(0, QStringLiteral("INSERT")), OdDbTag::string(2, QStringLiteral("B")), OdDbTag::point(10, {10, 10, 0}),
          OdDbTag::real(41, 2), OdDbTag::real(42, 2), OdDbTag::real(43, 2), OdDbTag::real(50, M_PI / 2)});
    TqName reference;
    ASSERT_EQ(services.Entities()->EntityLast(reference), tq::kNormal);
    const OdDbObjectId id = TqIdOf(*document.Database(), reference);
    const TqMatrix transform = TqReferenceTransform(id);
    // The base point lands on the insertion point; one unit along x becomes two along y.
    const OdGePoint3d base = transform.apply({1, 1, 0});
    EXPECT_NEAR(base.x, 10, 1e-9);
    EXPECT_NEAR(base.y, 10, 1e-9);
    const OdGePoint3d center = transform.apply({2, 1, 0});
    EXPECT_NEAR(center.x, 10, 1e-9);
    EXPECT_NEAR(center.y, 12, 1e-9);
    const OdGePoint3d back = transform.inverse().apply(center);
    EXPECT_NEAR(back.x, 2, 1e-9);
    EXPECT_NEAR(back.y, 1, 1e-9);
    // The circle of radius 1 in the drawing around (10, 12) gives the reference its extents.
    const TqExtents extents = TqExtentsOf(id);
    ASSERT_TRUE(extents.valid);
    EXPECT_NEAR(extents.min.x, 9, 1e-9);
    EXPECT_NEAR(extents.max.y, 13, 1e-9);
    // A pick on the circle's outline in the drawing finds the circle inside the block.
    const double at[3] = {11, 12, 0};
    TqName picked;
    double point[3];
    double matrix[4][4];
    TqResultBuffer* containers = nullptr;
    ASSERT_EQ(services.Entities()->NestedEntitySelect(nullptr, at, picked, point, matrix, containers), tq::kNormal);
    EXPECT_EQ(TqIdOf(*document.Database(), picked).object()->dxfName(), QStringLiteral("CIRCLE"));
    ASSERT_NE(containers, nullptr);
    EXPECT_EQ(TqNameOf(id), (TqName{containers->value.name[0], containers->value.name[1]}));
    EXPECT_NEAR(matrix[1][0], 2, 1e-9);
    TqReleaseChain(containers);
    CTqSystemServicesImpl::Instance().SetCurrentDocument(nullptr);
}

}  // namespace
