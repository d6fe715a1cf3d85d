// System variables over a real document: types, defaults of a new drawing, ranges, read-only
// variables, the current layer shared with the table services, and drawing values that survive
// a DXF round trip while session values stay with the host.
#include "host/framework/CTqDocumentImpl.h"
#include "host/framework/CTqSystemServicesImpl.h"
#include "host/framework/scripted_host_console.h"
#include "host/lispservices/CTqWorkbenchLispServices.h"
#include "host/lispservices/TqResultBuffers.h"
#include "host/sdk/db/OdDbDatabase.h"
#include "host/sdk/dxf/OdDxfReader.h"
#include "host/sdk/dxf/OdDxfWriter.h"

#include <gtest/gtest.h>

namespace {

class SystemVariables : public ::testing::Test {
protected:
    void SetUp() override { CTqSystemServicesImpl::Instance().SetCurrentDocument(&document); }
    void TearDown() override { CTqSystemServicesImpl::Instance().SetCurrentDocument(nullptr); }

    CTqUnitServices& units() { return *services.Units(); }

    // The value of a variable as a record the test owns.
    std::unique_ptr<TqResultBuffer, void (*)(TqResultBuffer*)> get(const char* name)
    {
        TqResultBuffer* record = nullptr;
        EXPECT_EQ(units().GetVariable(CTqString(name), record), tq::kNormal) << name;
        return {record, TqReleaseChain};
    }
    short setShort(const char* name, short value)
    {
        TqResultBuffer record;
        record.restype = tqrt::kShort;
        record.value.int16 = value;
        return units().SetVariable(CTqString(name), record);
    }
    short setReal(const char* name, double value)
    {
        TqResultBuffer record;
        record.restype = tqrt::kReal;
        record.value.real = value;
        return units().SetVariable(CTqString(name), record);
    }
    short setText(const char* name, const char16_t* text)
    {
        TqResultBuffer* record = TqNewResultBuffer(tqrt::kString);
        record->value.string = TqAllocText(text, std::char_traits<char16_t>::length(text));
        const short status = units().SetVariable(CTqString(name), *record);
        TqReleaseChain(record);
        return status;
    }
    QString text(const char* name) { return QString::fromUtf16(get(name)->value.string); }

    ScriptedHostConsole console;
    CTqWorkbenchLispServices services{console};
    CTqDocumentImpl document;
};

TEST_F(SystemVariables, EveryVariableHasItsTypeAndANewDrawingTheImperialUnitDefaults)
{
    const std::pair<const char*, short> types[] = {
        {"CLAYER", tqrt::kString}, {"LUNITS", tqrt::kShort}, {"ANGBASE", tqrt::kAngle}, {"LIMMIN", tqrt::kPoint2d},
        {"EXTMIN", tqrt::kPoint3d}, {"MILLISECS", tqrt::kLong}, {"CDATE", tqrt::kReal}, {"USERS5", tqrt::kString},
        {"useri1", tqrt::kShort}, {"NOSUCHVAR", -1},
    };
    for (const auto& [name, type] : types)
        EXPECT_EQ(units().VariableType(CTqString(name)), type) << name;
    EXPECT_EQ(get("LUNITS")->value.int16, 2);
    EXPECT_EQ(get("LUPREC")->value.int16, 4);
    EXPECT_EQ(get("AUNITS")->value.int16, 0);
    EXPECT_EQ(get("AUPREC")->value.int16, 0);
    EXPECT_EQ(get("ANGDIR")->value.int16, 0);
    EXPECT_EQ(get("DIMZIN")->value.int16, 0);
    EXPECT_EQ(get("UNITMODE")->value.int16, 0);
    EXPECT_EQ(get("ANGBASE")->value.real, 0.0);
    EXPECT_EQ(text("CLAYER"), QStringLiteral("0"));
    EXPECT_EQ(text("CECOLOR"), QStringLiteral("BYLAYER"));
    EXPECT_EQ(text("DWGNAME"), QStringLiteral("Drawing1.dxf"));
    EXPECT_TRUE(text("DWGPREFIX").endsWith(QLatin1Char('/')));
    EXPECT_EQ(get("WORLDUCS")->value.int16, 1);
    EXPECT_GT(get("CDATE")->value.real, 20000101.0);
    EXPECT_GT(get("DATE")->value.real, 2451545.0);
    TqResultBuffer* none = nullptr;
    EXPECT_EQ(units().GetVariable(CTqString("NOSUCHVAR"), none), tq::kError);
    EXPECT_EQ(services.ErrorNumber(), tq::kErrUnknownVariable);
    EXPECT_EQ(none, nullptr);
}

TEST_F(SystemVariables, RangesReadOnlyVariablesAndTypesAreChecked)
{
    EXPECT_EQ(setShort("LUNITS", 4), tq::kNormal);
    EXPECT_EQ(get("LUNITS")->value.int16, 4);
    for (short wrong : {0, 6, -1}) {
        EXPECT_EQ(setShort("LUNITS", wrong), tq::kError) << wrong;
        EXPECT_EQ(services.ErrorNumber(), tq::kErrParameterOutOfRange);
    }
    EXPECT_EQ(get("LUNITS")->value.int16, 4);
    EXPECT_EQ(setShort("CELWEIGHT", 25), tq::kNormal);
    EXPECT_EQ(setShort("CELWEIGHT", 26), tq::kError);
    EXPECT_EQ(setReal("TEXTSIZE", 0.0), tq::kError);
    EXPECT_EQ(services.ErrorNumber(), tq::kErrParameterOutOfRange);
    EXPECT_EQ(setReal("TEXTSIZE", 3.5), tq::kNormal);
    EXPECT_EQ(setReal("LUNITS", 3.0), tq::kError);
    EXPECT_EQ(services.ErrorNumber(), tq::kErrBadValue);
    for (const char* readOnly : {"DWGNAME", "CDATE", "EXTMIN", "ACADVER", "WORLDUCS"}) {
        EXPECT_EQ(setText(readOnly, u"x"), tq::kError) << readOnly;
        EXPECT_EQ(services.ErrorNumber(), tq::kErrUnknownVariable) << readOnly;
    }
    EXPECT_EQ(setText("CECOLOR", u"red"), tq::kNormal);
    EXPECT_EQ(text("CECOLOR"), QStringLiteral("1"));
    EXPECT_EQ(setText("CECOLOR", u"byblock"), tq::kNormal);
    EXPECT_EQ(text("CECOLOR"), QStringLiteral("BYBLOCK"));
    EXPECT_EQ(setText("CECOLOR", u"256"), tq::kError);
    EXPECT_EQ(setShort("ERRNO", 7), tq::kNormal);
    EXPECT_EQ(services.ErrorNumber(), 7);
    CTqString replacement;
    EXPECT_EQ(units().ReplacementName(CTqString("layer"), replacement), tq::kNormal);
    EXPECT_EQ(replacement.toQString(), QStringLiteral("CLAYER"));
    EXPECT_EQ(units().ReplacementName(CTqString("CLAYER"), replacement), tq::kNone);
}

TEST_F(SystemVariables, TheCurrentLayerIsTheOneTheTableServicesSetAndEntitiesUse)
{
    EXPECT_EQ(setText("CLAYER", u"NOSUCH"), tq::kError);
    EXPECT_EQ(services.ErrorNumber(), tq::kErrBadValue);
    TqResultBuffer* layer = TqNewResultBuffer(0);
    layer->value.string = TqAllocText(u"LAYER", 5);
    layer->next = TqNewResultBuffer(2);
    layer->next->value.string = TqAllocText(u"Walls", 5);
    layer->next->next = TqNewResultBuffer(70);
    TqResultBuffer* made = layer;
    ASSERT_EQ(services.Tables()->TableMake(made), tq::kNormal);
    TqReleaseChain(made);
    EXPECT_EQ(setText("CLAYER", u"walls"), tq::kNormal);
    EXPECT_EQ(text("CLAYER"), QStringLiteral("Walls"));
    EXPECT_EQ(document.Database()->header().getString(QStringLiteral("$CLAYER")), QStringLiteral("Walls"));
    ASSERT_EQ(services.Tables()->TableSetCurrent(CTqString("LAYER"), CTqString("0")), tq::kNormal);
    EXPECT_EQ(text("CLAYER"), QStringLiteral("0"));
}

TEST_F(SystemVariables, DrawingValuesSurviveADxfRoundTripAndSessionValuesStayWithTheHost)
{
    ASSERT_EQ(setShort("LUNITS", 4), tq::kNormal);
    ASSERT_EQ(setShort("DIMZIN", 8), tq::kNormal);
    ASSERT_EQ(setShort("USERI3", -42), tq::kNormal);
    ASSERT_EQ(setReal("USERR2", 2.75), tq::kNormal);
    ASSERT_EQ(setReal("ANGBASE", 1.5), tq::kNormal);
    ASSERT_EQ(setText("CECOLOR", u"3"), tq::kNormal);
    ASSERT_EQ(setShort("OSMODE", 33), tq::kNormal);
    ASSERT_EQ(setText("USERS1", u"kept"), tq::kNormal);
    TqResultBuffer limits;
    limits.restype = tqrt::kPoint2d;
    limits.value.point[0] = 100.0;
    limits.value.point[1] = 50.0;
    ASSERT_EQ(units().SetVariable(CTqString("LIMMAX"), limits), tq::kNormal);

    for (OdDbDxfVersion version : {OdDbDxfVersion::kR2000, OdDbDxfVersion::kR12}) {
        const std::string dxf = OdDxfWriter::write(*document.Database(), version);
        OdDbReadError error;
        auto copy = OdDxfReader::read(dxf, error);
        ASSERT_TRUE(copy) << error.message.toStdString();
        CTqDocumentImpl reopened;
        reopened.SetDatabase(std::move(copy));
        CTqSystemServicesImpl::Instance().SetCurrentDocument(&reopened);
        EXPECT_EQ(get("LUNITS")->value.int16, 4);
        EXPECT_EQ(get("DIMZIN")->value.int16, 8);
        EXPECT_EQ(get("USERI3")->value.int16, -42);
        EXPECT_EQ(get("USERR2")->value.real, 2.75);
        EXPECT_EQ(get("ANGBASE")->value.real, 1.5);
        EXPECT_EQ(text("CECOLOR"), QStringLiteral("3"));
        EXPECT_EQ(get("LIMMAX")->value.point[0], 100.0);
        EXPECT_EQ(get("LIMMAX")->value.point[1], 50.0);
        EXPECT_EQ(get("VIEWSIZE")->value.real, 50.0);
        // Session values belong to the host, not to a drawing.
        EXPECT_EQ(get("OSMODE")->value.int16, 33);
        EXPECT_EQ(text("USERS1"), QStringLiteral("kept"));
        CTqSystemServicesImpl::Instance().SetCurrentDocument(&document);
    }
}

}  // namespace
