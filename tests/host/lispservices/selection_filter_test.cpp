// Selection-set filter lists: plain tags, relational tests on each kind of value, groupings,
// extended-data applications, defaults objects omit, malformed lists, and real objects.
#include "host/lispservices/CTqSelectionFilter.h"
#include "host/sdk/db/OdDbBlockTableRecord.h"
#include "host/sdk/db/OdDbCircle.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/db/OdDbLine.h"
#include "host/sdk/db/OdDbStub.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

OdDbTag text(int code, const char* value) { return OdDbTag::string(code, QString::fromUtf8(value)); }
OdDbTag op(const char* relation) { return text(-4, relation); }

// Empty when the filter parses, else its message.
QString parseError(const OdDbTagList& filter)
{
    CTqSelectionFilter parsed;
    QString message;
    return parsed.Parse(filter, message) ? QString() : message;
}

bool matches(const OdDbTagList& filter, const OdDbTagList& object)
{
    CTqSelectionFilter parsed;
    QString message;
    EXPECT_TRUE(parsed.Parse(filter, message)) << message.toStdString();
    return parsed.Matches(object);
}

// A circle as its group-code list has it, red on layer Walls-1.
const OdDbTagList kCircle{text(0, "CIRCLE"), text(8, "Walls-1"), OdDbTag::int16(62, 1),
                          OdDbTag::point(10, {1, 2, 0}), OdDbTag::real(40, 2.5)};
// A polyline with three vertices (repeated 10), flags 5, no colour, linetype or space.
const OdDbTagList kPolyline{text(0, "LWPOLYLINE"), text(8, "0"), OdDbTag::int16(70, 5),
                            OdDbTag::point(10, {0, 0}, true), OdDbTag::point(10, {1, 0}, true),
                            OdDbTag::point(10, {2, 0}, true)};

}  // namespace

TEST(SelectionFilter, EmptyFilterMatchesEverything)
{
    EXPECT_TRUE(CTqSelectionFilter().Matches(kCircle));
    EXPECT_TRUE(matches({}, kCircle));
    EXPECT_TRUE(matches({}, {}));
}

TEST(SelectionFilter, TopLevelTagsMustAllMatch)
{
    EXPECT_TRUE(matches({text(0, "CIRCLE"), OdDbTag::int16(62, 1)}, kCircle));
    EXPECT_FALSE(matches({text(0, "CIRCLE"), OdDbTag::int16(62, 2)}, kCircle));
    EXPECT_FALSE(matches({text(0, "LINE"), OdDbTag::int16(62, 1)}, kCircle));
    // A code the object lacks (and that has no default) fails the equal test.
    EXPECT_FALSE(matches({OdDbTag::real(41, 0.0)}, kCircle));
}

TEST(SelectionFilter, TextIsAWildcardPatternWithoutRegardToCase)
{
    EXPECT_TRUE(matches({text(8, "walls-1")}, kCircle));
    EXPECT_TRUE(matches({text(8, "WALLS-#")}, kCircle));
    EXPECT_TRUE(matches({text(8, "w*")}, kCircle));
    EXPECT_TRUE(matches({text(0, "LINE,circle")}, kCircle));
    EXPECT_TRUE(matches({text(8, "~DOORS*")}, kCircle));
    EXPECT_FALSE(matches({text(8, "~W*")}, kCircle));
    EXPECT_FALSE(matches({text(8, "WALLS")}, kCircle));
    EXPECT_FALSE(matches({text(8, "@ALLS-@")}, kCircle));
    // Upper-casing keeps escapes and sets working.
    const OdDbTagList starred{text(8, "w*")};
    EXPECT_TRUE(matches({text(8, "W`*")}, starred));
    EXPECT_FALSE(matches({text(8, "W`*")}, {text(8, "wx")}));
    EXPECT_TRUE(matches({text(8, "[a-z]*")}, kCircle));
    EXPECT_TRUE(matches({text(8, "\xC3\xA9t*")}, {text(8, "\xC3\x89TAGE")}));
}

TEST(SelectionFilter, NumbersCompareByValueIntegersAndRealsAlike)
{
    EXPECT_TRUE(matches({OdDbTag::real(40, 2.5)}, kCircle));
    EXPECT_FALSE(matches({OdDbTag::real(40, 2.5000000001)}, kCircle));
    EXPECT_TRUE(matches({OdDbTag::int16(40, 2)}, {OdDbTag::real(40, 2.0)}));
    EXPECT_TRUE(matches({OdDbTag::real(62, 1.0)}, kCircle));
    EXPECT_TRUE(matches({OdDbTag::int32(62, 1)}, kCircle));
    EXPECT_FALSE(matches({OdDbTag::real(62, 1.5)}, kCircle));
    // Values of another kind never compare equal.
    EXPECT_FALSE(matches({text(62, "1")}, kCircle));
    EXPECT_FALSE(matches({OdDbTag::int16(8, 0)}, kPolyline));
}

TEST(SelectionFilter, OmittedColourLinetypeAndSpaceCountAsTheirDefaults)
{
    EXPECT_TRUE(matches({OdDbTag::int16(62, 256)}, kPolyline));
    EXPECT_FALSE(matches({OdDbTag::int16(62, 1)}, kPolyline));
    EXPECT_FALSE(matches({OdDbTag::int16(62, 256)}, kCircle));
    EXPECT_TRUE(matches({op(">"), OdDbTag::int16(62, 255)}, kPolyline));
    EXPECT_FALSE(matches({op("!="), OdDbTag::int16(62, 256)}, kPolyline));
    EXPECT_TRUE(matches({text(6, "ByLayer")}, kPolyline));
    EXPECT_FALSE(matches({text(6, "BYLAYER")}, {text(6, "DASHED")}));
    EXPECT_TRUE(matches({OdDbTag::int16(67, 0)}, kPolyline));
    EXPECT_FALSE(matches({OdDbTag::int16(67, 1)}, kPolyline));
    EXPECT_FALSE(matches({OdDbTag::int16(67, 0)}, {OdDbTag::int16(67, 1)}));
    // Other codes have no default.
    EXPECT_FALSE(matches({OdDbTag::int16(370, -1)}, kPolyline));
}

TEST(SelectionFilter, RelationalOperatorsOnNumbers)
{
    struct Case {
        const char* relation;
        double value;
        bool expected;
    };
    const Case cases[] = {
        {"=", 2.5, true},   {"=", 2.0, false},  {"!=", 2.5, false}, {"!=", 2.0, true},  {"/=", 2.5, false},
        {"/=", 2.0, true},  {"<>", 2.5, false}, {"<>", 2.0, true},  {"<", 3.0, true},   {"<", 2.5, false},
        {"<=", 2.5, true},  {"<=", 2.4, false}, {">", 2.0, true},   {">", 2.5, false},  {">=", 2.5, true},
        {">=", 2.6, false}, {"*", 99.0, true},  {" >= ", 2.5, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(matches({op(c.relation), OdDbTag::real(40, c.value)}, kCircle), c.expected)
            << c.relation << " " << c.value;
    }
    // Integers against integers, and "*" holds even where the code is missing.
    EXPECT_TRUE(matches({op("<"), OdDbTag::int16(70, 6)}, kPolyline));
    EXPECT_FALSE(matches({op("<"), OdDbTag::int16(70, 5)}, kPolyline));
    EXPECT_TRUE(matches({op("*"), OdDbTag::real(41, 0.0)}, kPolyline));
    EXPECT_FALSE(matches({op(">"), OdDbTag::real(41, 0.0)}, kPolyline));
}

TEST(SelectionFilter, BitwiseOperatorsOnIntegers)
{
    // Flags 5 = bits 1 and 4.
    EXPECT_TRUE(matches({op("&"), OdDbTag::int16(70, 4)}, kPolyline));
    EXPECT_TRUE(matches({op("&"), OdDbTag::int16(70, 6)}, kPolyline));
    EXPECT_FALSE(matches({op("&"), OdDbTag::int16(70, 2)}, kPolyline));
    EXPECT_FALSE(matches({op("&"), OdDbTag::int16(70, 0)}, kPolyline));
    EXPECT_TRUE(matches({op("&="), OdDbTag::int16(70, 5)}, kPolyline));
    EXPECT_TRUE(matches({op("&="), OdDbTag::int16(70, 4)}, kPolyline));
    EXPECT_FALSE(matches({op("&="), OdDbTag::int16(70, 6)}, kPolyline));
    EXPECT_TRUE(matches({op("&"), OdDbTag::int64(90, std::int64_t(1) << 40)}, {OdDbTag::int64(90, (std::int64_t(1) << 40) | 1)}));
    // A real on the object's side never takes part.
    EXPECT_FALSE(matches({op("&"), OdDbTag::int16(40, 2)}, {OdDbTag::real(40, 2.0)}));
}

TEST(SelectionFilter, RepeatedCodesMatchOnAnyTagAndNotEqualOnNone)
{
    EXPECT_TRUE(matches({OdDbTag::point(10, {2, 0, 0})}, kPolyline));
    EXPECT_FALSE(matches({OdDbTag::point(10, {3, 0, 0})}, kPolyline));
    EXPECT_TRUE(matches({op(">,*,*"), OdDbTag::point(10, {1.5, 0, 0})}, kPolyline));
    EXPECT_FALSE(matches({op(">,*,*"), OdDbTag::point(10, {2, 0, 0})}, kPolyline));
    // One vertex equals, so no "!=" match although the others differ.
    EXPECT_FALSE(matches({op("!="), OdDbTag::point(10, {1, 0, 0})}, kPolyline));
    EXPECT_TRUE(matches({op("!="), OdDbTag::point(10, {5, 0, 0})}, kPolyline));
    // Without any tag of the code, nothing equals.
    EXPECT_TRUE(matches({op("!="), OdDbTag::real(40, 1.0)}, kPolyline));
}

TEST(SelectionFilter, PointsCompareWholeOrPerCoordinate)
{
    // Centre (1, 2, 0).
    EXPECT_TRUE(matches({OdDbTag::point(10, {1, 2, 0})}, kCircle));
    EXPECT_FALSE(matches({OdDbTag::point(10, {1, 2, 1e-12})}, kCircle));
    EXPECT_TRUE(matches({op(">,>,*"), OdDbTag::point(10, {0, 0, 5})}, kCircle));
    EXPECT_FALSE(matches({op(">,>,="), OdDbTag::point(10, {0, 0, 5})}, kCircle));
    EXPECT_FALSE(matches({op("<,*,*"), OdDbTag::point(10, {1, 9, 9})}, kCircle));
    EXPECT_TRUE(matches({op("<=, >= ,="), OdDbTag::point(10, {1, 2, 0})}, kCircle));
    // One operator applies to every coordinate.
    EXPECT_TRUE(matches({op(">"), OdDbTag::point(10, {0, 0, -1})}, kCircle));
    EXPECT_FALSE(matches({op(">"), OdDbTag::point(10, {0, 0, 0})}, kCircle));
    // "!=" alone negates equality of the whole point; per coordinate each must differ.
    EXPECT_TRUE(matches({op("!="), OdDbTag::point(10, {1, 2, 5})}, kCircle));
    EXPECT_FALSE(matches({op("!=,!=,!="), OdDbTag::point(10, {1, 2, 5})}, kCircle));
    EXPECT_TRUE(matches({op("!=,!=,!="), OdDbTag::point(10, {0, 0, 5})}, kCircle));
    // A 2D point has z 0.
    EXPECT_TRUE(matches({OdDbTag::point(10, {1, 0, 0})}, kPolyline));
    // A point never equals a number.
    EXPECT_FALSE(matches({OdDbTag::point(40, {2.5, 0, 0})}, kCircle));
}

TEST(SelectionFilter, TextRelationsCompareUpperCasedText)
{
    EXPECT_TRUE(matches({op("<"), text(8, "x")}, kCircle));
    EXPECT_FALSE(matches({op(">"), text(8, "x")}, kCircle));
    EXPECT_TRUE(matches({op(">="), text(8, "walls-1")}, kCircle));
    EXPECT_TRUE(matches({op("="), text(8, "W*")}, kCircle));
    EXPECT_FALSE(matches({op("!="), text(8, "W*")}, kCircle));
    EXPECT_TRUE(matches({op("<>"), text(8, "DOORS")}, kCircle));
    EXPECT_TRUE(matches({op("*"), text(8, "anything")}, kCircle));
}

TEST(SelectionFilter, ObjectReferencesCompareById)
{
    OdDbStub first{OdDbHandle(0x1F), nullptr, nullptr};
    OdDbStub second{OdDbHandle(0x2A), nullptr, nullptr};
    const OdDbObjectId a(&first);
    const OdDbObjectId b(&second);
    const OdDbTagList object{text(0, "LINE"), OdDbTag::objectId(330, a), OdDbTag::objectId(330, b)};
    EXPECT_TRUE(matches({OdDbTag::objectId(330, a)}, object));
    EXPECT_TRUE(matches({OdDbTag::objectId(330, b)}, object));
    EXPECT_FALSE(matches({OdDbTag::objectId(330, OdDbObjectId())}, object));
    EXPECT_FALSE(matches({op("!="), OdDbTag::objectId(330, a)}, object));
    EXPECT_TRUE(matches({op("!="), OdDbTag::objectId(340, a)}, object));
    // Order follows handles.
    EXPECT_TRUE(matches({op(">"), OdDbTag::objectId(330, a)}, object));
    EXPECT_FALSE(matches({op(">"), OdDbTag::objectId(330, b)}, object));
}

TEST(SelectionFilter, GroupingsCombineTheirOperands)
{
    // Circles larger than 2 or anything on layer 0.
    const OdDbTagList orOfAnds{op("<OR"),
                               op("<AND"), text(0, "CIRCLE"), op(">"), OdDbTag::real(40, 2.0), op("AND>"),
                               op("<AND"), text(8, "0"), OdDbTag::int16(62, 256), op("AND>"),
                               op("OR>")};
    EXPECT_TRUE(matches(orOfAnds, kCircle));
    EXPECT_TRUE(matches(orOfAnds, kPolyline));
    EXPECT_FALSE(matches(orOfAnds, {text(0, "CIRCLE"), OdDbTag::real(40, 1.0), text(8, "A")}));

    // Neither a red object nor one on a W layer with any radius.
    const OdDbTagList notOfOr{op("<NOT"),
                              op("<OR"), OdDbTag::int16(62, 1), op("<AND"), text(8, "W*"), op("*"), OdDbTag::real(40, 0.0), op("AND>"), op("OR>"),
                              op("NOT>")};
    EXPECT_FALSE(matches(notOfOr, kCircle));
    EXPECT_TRUE(matches(notOfOr, kPolyline));
    EXPECT_FALSE(matches(notOfOr, {text(8, "WX")}));

    // Exactly one of: a circle, red.
    const OdDbTagList exclusive{op("<XOR"), text(0, "CIRCLE"), OdDbTag::int16(62, 1), op("XOR>")};
    EXPECT_FALSE(matches(exclusive, kCircle));
    EXPECT_TRUE(matches(exclusive, {text(0, "CIRCLE"), OdDbTag::int16(62, 3)}));
    EXPECT_TRUE(matches(exclusive, {text(0, "LINE"), OdDbTag::int16(62, 1)}));
    EXPECT_FALSE(matches(exclusive, kPolyline));

    // Groupings next to top-level tags are ANDed with them; names take any case.
    EXPECT_FALSE(matches({text(0, "LWPOLYLINE"), op("<or"), text(8, "W*"), OdDbTag::int16(62, 1), op("or>")}, kCircle));
    EXPECT_TRUE(matches({text(0, "CIRCLE"), op(" <or "), text(8, "W*"), OdDbTag::int16(62, 1), op("or>")}, kCircle));
}

TEST(SelectionFilter, OperandsAreTagsRelationalPairsApplicationsOrGroups)
{
    // A relational pair and an application list each count as one operand.
    EXPECT_EQ(parseError({op("<NOT"), op(">"), OdDbTag::real(40, 2.0), op("NOT>")}), QString());
    EXPECT_EQ(parseError({op("<XOR"), OdDbTag::none(-3), text(1001, "A"), text(1001, "B"), op(">"), OdDbTag::real(40, 2.0), op("XOR>")}),
              QString());
    EXPECT_EQ(parseError({op("<XOR"), op("<AND"), text(8, "A"), text(0, "B"), op("AND>"), op("<NOT"), text(8, "C"), op("NOT>"), op("XOR>")}),
              QString());
    EXPECT_NE(parseError({op("<XOR"), OdDbTag::int16(62, 1), op("XOR>")}), QString());
    EXPECT_NE(parseError({op("<XOR"), OdDbTag::int16(62, 1), text(8, "A"), text(0, "B"), op("XOR>")}), QString());
    EXPECT_NE(parseError({op("<NOT"), op("NOT>")}), QString());
    EXPECT_NE(parseError({op("<NOT"), OdDbTag::int16(62, 1), text(8, "A"), op("NOT>")}), QString());
}

TEST(SelectionFilter, MalformedFiltersAreRefusedNamingTheTag)
{
    struct Case {
        OdDbTagList filter;
        const char* named;
    };
    const Case cases[] = {
        {{op("<AND"), text(8, "A")}, "(-4 . \"<AND\") is not closed"},
        {{text(8, "A"), op("AND>")}, "(-4 . \"AND>\") closes no"},
        {{op("<AND"), text(8, "A"), op("OR>")}, "(-4 . \"OR>\") does not close (-4 . \"<AND\")"},
        {{op("<OR"), op("OR>")}, "(-4 . \"<OR\") needs at least one"},
        {{op("<XOR"), text(8, "A"), op("XOR>")}, "(-4 . \"<XOR\") needs exactly two operands, not 1"},
        {{op("<NOT"), text(8, "A"), text(8, "B"), op("NOT>")}, "(-4 . \"<NOT\") needs exactly one operand, not 2"},
        {{op("<NAND"), text(8, "A"), op("NAND>")}, "grouping operator in (-4 . \"<NAND\")"},
        {{op("=>"), OdDbTag::real(40, 1.0)}, "relational operator in (-4 . \"=>\")"},
        {{op(">,>"), OdDbTag::point(10, {})}, "relational operator in (-4 . \">,>\")"},
        {{op(">,>,>,>"), OdDbTag::point(10, {})}, "relational operator in (-4 . \">,>,>,>\")"},
        {{op(">,?,>"), OdDbTag::point(10, {})}, "relational operator in (-4 . \">,?,>\")"},
        {{text(8, "A"), op(">")}, "(-4 . \">\") is not followed by a tag"},
        {{op(">"), op("<AND"), text(8, "A"), op("AND>")}, "(-4 . \">\") is not followed by a tag"},
        {{op("="), OdDbTag::none(-3), text(1001, "A")}, "(-4 . \"=\") is not followed by a tag"},
        {{op("&"), OdDbTag::real(70, 1.0)}, "(-4 . \"&\") needs an integer"},
        {{op("*,*,&="), OdDbTag::point(10, {})}, "needs an integer"},
        {{op(">,>,*"), OdDbTag::real(40, 1.0)}, "(40 . 1) is not a point"},
        {{OdDbTag::none(-3), text(8, "A")}, "(-3) names no application"},
        {{OdDbTag::none(-3), OdDbTag::int16(1001, 1)}, "(1001 . 1) does not name an application"},
        {{OdDbTag::int16(-4, 1), text(8, "A")}, "(-4 . 1) does not name an operator"},
        {{OdDbTag::none(100)}, "(100) has no value"},
    };
    for (const Case& c : cases) {
        const QString message = parseError(c.filter);
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.named))) << c.named << " / " << message.toStdString();
    }
}

TEST(SelectionFilter, FailedParseKeepsThePreviousFilter)
{
    CTqSelectionFilter filter;
    QString message;
    ASSERT_TRUE(filter.Parse({text(0, "CIRCLE")}, message));
    EXPECT_FALSE(filter.Parse({op("<AND"), text(0, "LWPOLYLINE")}, message));
    EXPECT_TRUE(filter.Matches(kCircle));
    EXPECT_FALSE(filter.Matches(kPolyline));
}

TEST(SelectionFilter, ExtendedDataNamesApplicationsThatMustAllBePresent)
{
    const OdDbTagList withData{text(0, "LINE"), text(8, "0"), OdDbTag::none(-3),
                               text(1001, "MyApp"), text(1000, "note"), text(1001, "OTHER"), OdDbTag::int16(1070, 3)};
    auto apps = [](std::initializer_list<const char*> names) {
        OdDbTagList filter{OdDbTag::none(-3)};
        for (const char* name : names)
            filter.push_back(text(1001, name));
        return filter;
    };
    EXPECT_TRUE(matches(apps({"MYAPP"}), withData));
    EXPECT_TRUE(matches(apps({"my*"}), withData));
    EXPECT_TRUE(matches(apps({"other", "MyApp"}), withData));
    EXPECT_FALSE(matches(apps({"MYAPP", "MISSING"}), withData));
    EXPECT_FALSE(matches(apps({"MY"}), withData));
    EXPECT_FALSE(matches(apps({"*"}), kCircle));
    // Application names outside the extended data do not count.
    EXPECT_FALSE(matches(apps({"MYAPP"}), {text(1001, "MYAPP")}));
    // Combined with groupings.
    OdDbTagList either{op("<OR")};
    for (const OdDbTag& tag : apps({"NONE"}))
        either.push_back(tag);
    either.push_back(text(0, "LINE"));
    either.push_back(op("OR>"));
    EXPECT_TRUE(matches(either, withData));
    OdDbTagList without{op("<NOT")};
    for (const OdDbTag& tag : apps({"OTH*"}))
        without.push_back(tag);
    without.push_back(op("NOT>"));
    EXPECT_FALSE(matches(without, withData));
    EXPECT_TRUE(matches(without, kCircle));
}

TEST(SelectionFilter, DeeplyNestedAndWideFilters)
{
    // 20000 nested NOTs around a test: an even count keeps its outcome.
    OdDbTagList deep;
    for (int i = 0; i < 20000; ++i)
        deep.push_back(op("<NOT"));
    deep.push_back(text(0, "CIRCLE"));
    for (int i = 0; i < 20000; ++i)
        deep.push_back(op("NOT>"));
    EXPECT_TRUE(matches(deep, kCircle));
    EXPECT_FALSE(matches(deep, kPolyline));

    // 200 operands pending at once; only the last one fails on the polyline.
    OdDbTagList wide{op("<AND")};
    for (int i = 0; i < 199; ++i)
        wide.push_back(op("*"));
    for (int i = 0; i < 199; ++i)
        wide.insert(wide.begin() + 2 + 2 * i, OdDbTag::real(40, double(i)));
    wide.push_back(text(8, "W*"));
    wide.push_back(op("AND>"));
    EXPECT_TRUE(matches(wide, kCircle));
    EXPECT_FALSE(matches(wide, kPolyline));
}

TEST(SelectionFilter, FiltersObjectsOfADatabaseByTheirGroupCodes)
{
    auto db = OdDbDatabase::createNew();
    ASSERT_NE(db->addLayer(QStringLiteral("WALLS")), OdDbObjectId());
    ASSERT_NE(db->registerApplication(QStringLiteral("TQ_NOTES")), OdDbObjectId());
    auto* model = db->getModelSpaceId().openObject<OdDbBlockTableRecord>();
    auto* paper = db->getPaperSpaceId().openObject<OdDbBlockTableRecord>();

    auto line = std::make_unique<OdDbLine>();
    line->setLayer(QStringLiteral("WALLS"));
    line->setColorIndex(1);
    line->setEndPoint({10, 0, 0});
    const OdDbObjectId redLine = model->appendEntity(std::move(line));
    auto circle = std::make_unique<OdDbCircle>();
    circle->setCenter({5, 5, 0});
    circle->setRadius(2.5);
    const OdDbObjectId noted = model->appendEntity(std::move(circle));
    ASSERT_EQ(noted.object()->setXData({text(1001, "TQ_NOTES"), text(1000, "checked")}), OdResult::eOk);
    auto small = std::make_unique<OdDbCircle>();
    small->setRadius(0.5);
    const OdDbObjectId inPaper = paper->appendEntity(std::move(small));

    auto select = [&](const OdDbTagList& filter) {
        CTqSelectionFilter parsed;
        QString message;
        EXPECT_TRUE(parsed.Parse(filter, message)) << message.toStdString();
        std::vector<OdDbObjectId> chosen;
        for (OdDbObjectId id : {redLine, noted, inPaper}) {
            if (parsed.Matches(id.object()->groupCodes([](const QString&) { return true; })))
                chosen.push_back(id);
        }
        return chosen;
    };
    using Ids = std::vector<OdDbObjectId>;
    EXPECT_EQ(select({text(0, "circle")}), (Ids{noted, inPaper}));
    EXPECT_EQ(select({text(8, "WALLS"), OdDbTag::int16(62, 1)}), (Ids{redLine}));
    EXPECT_EQ(select({OdDbTag::int16(62, 256), text(6, "BYLAYER")}), (Ids{noted, inPaper}));
    EXPECT_EQ(select({OdDbTag::int16(67, 1)}), (Ids{inPaper}));
    EXPECT_EQ(select({op(">="), OdDbTag::real(40, 1.0)}), (Ids{noted}));
    EXPECT_EQ(select({OdDbTag::none(-3), text(1001, "tq_*")}), (Ids{noted}));
    EXPECT_EQ(select({op("<>"), OdDbTag::objectId(330, db->getModelSpaceId())}), (Ids{inPaper}));
    EXPECT_EQ(select({OdDbTag::objectId(-1, redLine)}), (Ids{redLine}));
    EXPECT_EQ(select({op(">,>,*"), OdDbTag::point(10, {1, 1, 0})}), (Ids{noted}));
}
