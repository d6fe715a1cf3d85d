// The engine-wide built-in table, assembled from the family tables, and the function dictionary
// that gives its rows their public names.
#include "lisp/core/builtin_table.h"

#include "lisp/core/builtin_families.h"
#include "lisp/core/engine.h"

#include <QFile>
#include <QHash>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <array>

// The engine is a static library, so the linker drops its resources unless something refers to
// them; Q_INIT_RESOURCE is that reference, and it must stand outside any namespace.
void InitEngineResources() { Q_INIT_RESOURCE(engine); }

namespace {
using FamilyRows = std::span<const BuiltinDescriptor> (*)();

// Table order decides which row keeps a public name that the dictionary gives twice.
constexpr FamilyRows kFamilies[] = {
    SpecialFormBuiltins,
    TerminationBuiltins,
    SourceFileBuiltins,
    ExternalAppBuiltins,
    ArithmeticBuiltins,
    ListBuiltins,
    StringBuiltins,
    FileBuiltins,
    GeometryBuiltins,
    CompatibilityBuiltins,
    EntityBuiltins,
    TableBuiltins,
    SelectionSetBuiltins,
    InputBuiltins,
    CurveBuiltins,
    LayerStateBuiltins,
    ScreenBuiltins,
    DialogBuiltins,
};

std::array<const BuiltinDescriptor*, kBuiltinRows> AssembleTable()
{
    std::array<const BuiltinDescriptor*, kBuiltinRows> rows{};
    std::size_t count = 0;
    for (const FamilyRows family : kFamilies) {
        for (const BuiltinDescriptor& row : family()) {
            if (count < kNamedBuiltinRows)
                rows[count] = &row;
            ++count;
        }
    }
    LISP_ASSERT(count == kNamedBuiltinRows, "the families hold 409 named rows");
    rows[kNamedBuiltinRows] = &NativeFunctionDescriptor();
    return rows;
}

QString NameOf(const BuiltinDescriptor& row) { return QString::fromUtf16(row.name); }

// Upper-cased entry name -> upper-cased public name; a later element for a name replaces an
// earlier one. Failure when the resource is missing or is not well-formed XML.
LispStatus ReadDictionary(QHash<QString, QString>& names)
{
    QFile file(QStringLiteral(":/WkLispDict.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return LispStatus::Failure;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("function"))
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.hasAttribute(QLatin1String("name")) && attributes.hasAttribute(QLatin1String("mappedName")))
            names.insert(attributes.value(QLatin1String("name")).toString().toUpper(),
                         attributes.value(QLatin1String("mappedName")).toString().toUpper());
    }
    if (xml.hasError())
        return LispStatus::Failure;
    // Programs rely on this name whatever the dictionary says.
    names.insert(QStringLiteral("F_VL_LOAD_COM"), QStringLiteral("VL-LOAD-COM"));
    return LispStatus::Ok;
}
}  // namespace

std::span<const BuiltinDescriptor* const> BuiltinTable()
{
    static const std::array<const BuiltinDescriptor*, kBuiltinRows> rows = AssembleTable();
    return rows;
}

LispStatus LoadFunctionDictionary(CTqLISPImpl& engine, std::span<const BuiltinDescriptor* const> rows)
{
    InitEngineResources();
    QHash<QString, QString> names;
    LISP_TRY(ReadDictionary(names));
    for (const BuiltinDescriptor* row : rows.first(std::min(rows.size(), kNamedBuiltinRows))) {
        const auto found = names.constFind(NameOf(*row).toUpper());
        if (found == names.cend())
            continue;
        const QString& publicName = found.value();
        LispNode* symbol = nullptr;
        LISP_TRY(engine.Intern(std::u16string_view(reinterpret_cast<const char16_t*>(publicName.utf16()), publicName.size()), symbol));
        LispNode* function = nullptr;
        LISP_TRY(engine.MakeBuiltin(row, function));
        engine.SetSymbolValue(symbol, function);
        // Four hundred names arrive in table order: without a fresh index every one of them
        // would walk half the sorted chain to its place.
        if (engine.DeepestLookup() > 20)
            LISP_TRY(engine.RebuildSymbolIndex());
    }
    return LispStatus::Ok;
}
