// The assembled built-in table, the function dictionary that names its rows, and a few parameter
// groups whose effect on argument checking programs depend on.
#include "lisp/core/builtin_families.h"
#include "lisp/core/builtin_table.h"
#include "lisp/core/engine.h"

#include <QFile>
#include <QHash>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

// Registers the engine library's resources (builtin_table.cpp).
void InitEngineResources();

namespace {

const BuiltinDescriptor* FindRow(std::u16string_view name)
{
    for (const BuiltinDescriptor* row : BuiltinTable())
        if (row && name == row->name)
            return row;
    return nullptr;
}

bool Admits(const ParamGroup& group, NodeType type) { return (KindBitsOf(type) & group.kinds) != 0; }

// Every node code a value can have, including those that fit no group.
constexpr NodeType kAllCodes[] = {
    NodeType::Nil,        NodeType::Symbol,      NodeType::List,       NodeType::DottedList,   NodeType::Integer,
    NodeType::Real,       NodeType::ShortString, NodeType::String,     NodeType::File,         NodeType::QuotingSubr,
    NodeType::Subr,       NodeType::SymbolRef,   NodeType::Constant,   NodeType::ListEnd,      NodeType::FileRecord,
    NodeType::Nothing,    NodeType::DFun,        NodeType::EntityName, NodeType::PickSet,      NodeType::ExternalApp,
    NodeType::ExternalSubr, NodeType::Dialog,    NodeType::IndexNode,  NodeType::ULong,        NodeType::NativeSubr,
    NodeType::NativePointer, NodeType::StringA26, NodeType::StringA27, NodeType::Reserved28,  NodeType::Reserved29,
    NodeType::CatchAllError,
};

// The dictionary as the resource holds it: upper-cased entry name -> public name as written.
QHash<QString, QString> ReadDictionaryResource()
{
    InitEngineResources();
    QHash<QString, QString> names;
    QFile file(QStringLiteral(":/WkLispDict.xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "the engine library carries the dictionary";
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("function"))
            continue;
        const QString name = xml.attributes().value(QLatin1String("name")).toString().toUpper();
        EXPECT_FALSE(names.contains(name)) << "entry named twice: " << name.toStdString();
        names.insert(name, xml.attributes().value(QLatin1String("mappedName")).toString());
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return names;
}

}  // namespace

TEST(BuiltinTable, HoldsEachRowOnceWithAnEntry)
{
    const auto rows = BuiltinTable();
    ASSERT_EQ(rows.size(), kBuiltinRows);
    std::set<std::u16string_view> names;
    for (const BuiltinDescriptor* row : rows) {
        ASSERT_NE(row, nullptr);
        ASSERT_NE(row->name, nullptr);
        EXPECT_NE(row->entry, nullptr) << QString::fromUtf16(row->name).toStdString();
        EXPECT_FALSE(row->groups.empty()) << QString::fromUtf16(row->name).toStdString();
        EXPECT_TRUE(names.insert(row->name).second) << "duplicate row " << QString::fromUtf16(row->name).toStdString();
    }
    // Built once: every engine shares the same rows.
    EXPECT_EQ(BuiltinTable().data(), rows.data());
}

TEST(BuiltinTable, NativeFunctionRowComesLast)
{
    const auto rows = BuiltinTable();
    ASSERT_EQ(rows.size(), kBuiltinRows);
    EXPECT_EQ(std::u16string_view(rows.back()->name), u"f_drxfunc");
    EXPECT_EQ(rows.back(), &NativeFunctionDescriptor());
    for (const BuiltinDescriptor* row : rows.first(kNamedBuiltinRows))
        EXPECT_NE(std::u16string_view(row->name), u"f_drxfunc");
}

TEST(BuiltinTable, StandaloneExternalFunctionMatchesItsRowButIsNotIt)
{
    const BuiltinDescriptor* row = FindRow(u"f_xfunc");
    ASSERT_NE(row, nullptr);
    const BuiltinDescriptor& standalone = ExternalFunctionDescriptor();
    EXPECT_NE(&standalone, row);
    EXPECT_EQ(standalone.entry, row->entry);
    EXPECT_EQ(standalone.flags, row->flags);
    EXPECT_EQ(standalone.resultKinds, row->resultKinds);
    ASSERT_EQ(standalone.groups.size(), row->groups.size());
    for (std::size_t i = 0; i < row->groups.size(); ++i) {
        EXPECT_EQ(standalone.groups[i].kinds, row->groups[i].kinds);
        EXPECT_EQ(standalone.groups[i].count, row->groups[i].count);
        EXPECT_EQ(standalone.groups[i].options, row->groups[i].options);
    }
}

TEST(FunctionDictionary, NamesEveryRowButTheNativeFunctionOnce)
{
    const QHash<QString, QString> names = ReadDictionaryResource();
    const auto rows = BuiltinTable();
    ASSERT_EQ(rows.size(), kBuiltinRows);
    QHash<QString, QString> rowOfPublicName;
    for (const BuiltinDescriptor* row : rows.first(kNamedBuiltinRows)) {
        const QString entry = QString::fromUtf16(row->name);
        const auto found = names.constFind(entry.toUpper());
        if (found == names.cend()) {
            ADD_FAILURE() << "no public name for " << entry.toStdString();
            continue;
        }
        const QString publicName = found->toUpper();
        EXPECT_FALSE(publicName.isEmpty()) << entry.toStdString();
        EXPECT_FALSE(rowOfPublicName.contains(publicName))
            << publicName.toStdString() << " names both " << rowOfPublicName.value(publicName).toStdString() << " and "
            << entry.toStdString();
        rowOfPublicName.insert(publicName, entry);
    }
    EXPECT_FALSE(names.contains(QStringLiteral("F_DRXFUNC")));
    EXPECT_EQ(names.size(), int(kNamedBuiltinRows)) << "the dictionary names only rows of the table";
}

TEST(FunctionDictionary, UsesTheNamesProgramsCall)
{
    const QHash<QString, QString> names = ReadDictionaryResource();
    EXPECT_EQ(names.value(QStringLiteral("F_ADD")), QStringLiteral("+"));
    EXPECT_EQ(names.value(QStringLiteral("F_LOWEQU")), QStringLiteral("<="));
    EXPECT_EQ(names.value(QStringLiteral("F_NOTEQUAL")), QStringLiteral("/="));
    EXPECT_EQ(names.value(QStringLiteral("F_1ADD")), QStringLiteral("1+"));
    EXPECT_EQ(names.value(QStringLiteral("F_CADDR")), QStringLiteral("caddr"));
    EXPECT_EQ(names.value(QStringLiteral("F_VL_STRING_SEARCH")), QStringLiteral("vl-string-search"));
    EXPECT_EQ(names.value(QStringLiteral("F_VL_STRING_LIST")), QStringLiteral("vl-string->list"));
    EXPECT_EQ(names.value(QStringLiteral("F_READLINE")), QStringLiteral("read-line"));
    EXPECT_EQ(names.value(QStringLiteral("F_ATOMSF")), QStringLiteral("atoms-family"));
    EXPECT_EQ(names.value(QStringLiteral("F_CL_DATA_TILE")), QStringLiteral("client_data_tile"));
    EXPECT_EQ(names.value(QStringLiteral("F_DCL_CLIENT_DATA_TILE")), QStringLiteral("dcl-client-data-tile"));
    EXPECT_EQ(names.value(QStringLiteral("F_LAYERSTATE_SAVE")), QStringLiteral("layerstate-save"));
}

TEST(FunctionDictionary, LoadingBindsPublicSymbolsToTheirRows)
{
    CTqLISPImpl engine;
    ASSERT_EQ(LoadFunctionDictionary(engine, BuiltinTable()), LispStatus::Ok);
    const auto boundRow = [&engine](std::u16string_view name) -> std::u16string {
        const LispNode* symbol = engine.FindSymbol(name);
        if (!symbol || !SymbolValue(symbol) || !IsBuiltin(SymbolValue(symbol)))
            return u"<unbound>";
        return SymbolValue(symbol)->payload.descriptor->name;
    };
    EXPECT_EQ(boundRow(u"CAR"), u"f_car");
    EXPECT_EQ(boundRow(u"+"), u"f_add");
    EXPECT_EQ(boundRow(u"VL-STRING->LIST"), u"f_vl_string_list");
    EXPECT_EQ(boundRow(u"VL-LOAD-COM"), u"f_vl_load_com");
    EXPECT_EQ(boundRow(u"car"), u"<unbound>") << "public names are upper-cased";
    // quote keeps its first argument unevaluated, so its value is the quoting node code.
    const LispNode* quote = engine.FindSymbol(u"QUOTE");
    ASSERT_NE(quote, nullptr);
    ASSERT_NE(SymbolValue(quote), nullptr);
    EXPECT_EQ(SymbolValue(quote)->type, NodeType::QuotingSubr);
}

TEST(ParameterGroups, SubstrAcceptsNilAsItsLength)
{
    const BuiltinDescriptor* row = FindRow(u"f_substr");
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->groups.size(), 3u);
    const ParamGroup& length = row->groups[2];
    EXPECT_TRUE(Admits(length, NodeType::Nil));
    EXPECT_TRUE(Admits(length, NodeType::Integer));
    EXPECT_FALSE(Admits(length, NodeType::String));
    EXPECT_NE(length.options & ParamOption::Optional, 0) << "two arguments are enough";
}

TEST(ParameterGroups, StrcatAcceptsNilAmongItsStrings)
{
    const BuiltinDescriptor* row = FindRow(u"f_strcat");
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->groups.size(), 1u);
    EXPECT_EQ(row->groups[0].count, kManyArguments);
    EXPECT_TRUE(Admits(row->groups[0], NodeType::Nil));
    EXPECT_TRUE(Admits(row->groups[0], NodeType::ShortString));
    EXPECT_FALSE(Admits(row->groups[0], NodeType::Integer));
}

TEST(ParameterGroups, VlaxAddCmdRefusesAnyFourthArgument)
{
    const BuiltinDescriptor* row = FindRow(u"f_vlax_add_cmd");
    ASSERT_NE(row, nullptr);
    ASSERT_EQ(row->groups.size(), 4u);
    for (const NodeType type : kAllCodes)
        EXPECT_FALSE(Admits(row->groups[3], type)) << "code " << int(type);
    EXPECT_TRUE(Admits(row->groups[1], NodeType::SymbolRef));
}

TEST(ParameterGroups, EqualComparesAnyTwoValuesExceptListEndsAndApplications)
{
    const BuiltinDescriptor* row = FindRow(u"f_equal");
    ASSERT_NE(row, nullptr);
    ASSERT_FALSE(row->groups.empty());
    EXPECT_EQ(row->groups[0].count, 2);
    for (const NodeType type : kAllCodes) {
        const bool expected = type != NodeType::ListEnd && type != NodeType::ExternalApp;
        EXPECT_EQ(Admits(row->groups[0], type), expected) << "code " << int(type);
    }
}

TEST(ParameterGroups, RowsWithoutArgumentsTakeNothing)
{
    for (const std::u16string_view name : {u"f_vmon", u"f_terpri", u"f_vl_load_com", u"f_entlast", u"f_term_dialog"}) {
        const BuiltinDescriptor* row = FindRow(name);
        ASSERT_NE(row, nullptr);
        ASSERT_EQ(row->groups.size(), 1u);
        EXPECT_EQ(row->groups[0].count, 0);
        for (const NodeType type : kAllCodes)
            EXPECT_FALSE(Admits(row->groups[0], type));
    }
}
