// LAYER and -LAYER on the command line: a loop of options until Enter.
#include "CTqHostCommands.h"
#include "TqCommandKit.h"
#include "host/TqStatus.h"
#include "../lispservices/CTqWildcardMatcher.h"
#include "../sdk/db/OdDbDatabase.h"
#include "../sdk/db/OdDbLayerTableRecord.h"
#include "../sdk/db/OdDbSymUtil.h"
#include "../sdk/db/OdDbSymbolTable.h"

namespace TqLayerCommand {

using namespace TqCommandKit;

namespace {

OdDbSymbolTable* Layers()
{
    OdDbDatabase* db = Database();
    return db ? db->symbolTable(OdDbSymbolTable::Kind::kLayer) : nullptr;
}

// The live layers a comma-separated list of names or patterns names.
std::vector<OdDbLayerTableRecord*> Matching(const QString& patterns)
{
    std::vector<OdDbLayerTableRecord*> found;
    OdDbSymbolTable* layers = Layers();
    if (!layers)
        return found;
    const QString wanted = patterns.toUpper();
    for (OdDbObjectId id : layers->recordIds()) {
        auto* layer = id.openObject<OdDbLayerTableRecord>();
        if (layer && CTqWildcardMatcher::Matches(layer->name().toUpper(), wanted))
            found.push_back(layer);
    }
    return found;
}

bool MakeCurrent(const QString& name)
{
    CTqLispServices* services = Services();
    return services && services->Tables()->TableSetCurrent(CTqString(QStringLiteral("LAYER")), CTqString(name)) == tq::kNormal;
}

bool Create(const QString& name)
{
    OdDbDatabase* db = Database();
    if (!db || !OdDbSymUtil::isValidName(name))
        return false;
    return !db->addLayer(name).isNull();
}

short Names(const QString& prompt, QString& names)
{
    const short status = Text(prompt, true, names);
    names = names.trimmed();
    return status;
}

}  // namespace

short Layer()
{
    const QString keywords = QStringLiteral("? Make Set New ON OFF Color Ltype Freeze Thaw LOck Unlock");
    for (;;) {
        QString option;
        short status = Keyword(QStringLiteral("\nEnter an option [?/Make/Set/New/ON/OFF/Color/Ltype/Freeze/Thaw/LOck/Unlock]: "),
                               keywords, option);
        if (status == tq::kNone)
            return tq::kNormal;
        if (status != tq::kNormal)
            return status;
        QString names;
        if (option == QLatin1String("?")) {
            for (OdDbLayerTableRecord* layer : Matching(QStringLiteral("*")))
                Say(QStringLiteral("%1  %2  %3  %4").arg(layer->name(), layer->isOff() ? QStringLiteral("Off") : QStringLiteral("On"),
                                                       QString::number(layer->colorIndex()), layer->linetype()));
            continue;
        }
        if (option == QLatin1String("Color") || option == QLatin1String("Ltype")) {
            QString value;
            status = Text(option == QLatin1String("Color") ? QStringLiteral("\nNew color [Truecolor/COlorbook]: ")
                                                           : QStringLiteral("\nEnter a loaded linetype name: "),
                          false, value);
            if (status != tq::kNormal)
                return status == tq::kNone ? short(tq::kNormal) : status;
            status = Names(QStringLiteral("\nEnter name list of layer(s): "), names);
            if (status != tq::kNormal)
                return status;
            bool ok = false;
            const int color = value.toInt(&ok);
            OdDbSymbolTable* linetypes = Database()->symbolTable(OdDbSymbolTable::Kind::kLinetype);
            for (OdDbLayerTableRecord* layer : Matching(names)) {
                if (option == QLatin1String("Color") && ok && color >= 1 && color <= 255) {
                    const bool off = layer->isOff();
                    layer->setColorIndex(color);
                    layer->setIsOff(off);
                } else if (option == QLatin1String("Ltype") && linetypes && !linetypes->recordId(value).isNull()) {
                    layer->setLinetype(value);
                } else {
                    Say(option == QLatin1String("Color") ? QStringLiteral("Invalid color.") : QStringLiteral("Linetype %1 not found.").arg(value));
                    break;
                }
            }
            continue;
        }
        status = Names(option == QLatin1String("Make") || option == QLatin1String("Set") ? QStringLiteral("\nEnter name for layer: ")
                                                                                           : QStringLiteral("\nEnter name list of layer(s): "),
                       names);
        if (status != tq::kNormal)
            return status == tq::kNone ? short(tq::kNormal) : status;
        if (option == QLatin1String("Make")) {
            if (Layers()->recordId(names).isNull() && !Create(names))
                Say(QStringLiteral("Invalid layer name."));
            else
                (void)MakeCurrent(names);
        } else if (option == QLatin1String("Set")) {
            if (!MakeCurrent(names))
                Say(QStringLiteral("Cannot find layer \"%1\".").arg(names));
        } else if (option == QLatin1String("New")) {
            for (const QString& name : names.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                if (Layers()->recordId(name.trimmed()).isNull() && !Create(name.trimmed()))
                    Say(QStringLiteral("Invalid layer name."));
            }
        } else {
            for (OdDbLayerTableRecord* layer : Matching(names)) {
                if (option == QLatin1String("ON"))
                    layer->setIsOff(false);
                else if (option == QLatin1String("OFF"))
                    layer->setIsOff(true);
                else if (option == QLatin1String("Freeze"))
                    layer->setIsFrozen(true);
                else if (option == QLatin1String("Thaw"))
                    layer->setIsFrozen(false);
                else if (option == QLatin1String("LOck"))
                    layer->setIsLocked(true);
                else if (option == QLatin1String("Unlock"))
                    layer->setIsLocked(false);
            }
        }
    }
}

}  // namespace TqLayerCommand
