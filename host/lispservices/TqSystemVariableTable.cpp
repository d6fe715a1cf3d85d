// The system variables the host knows.
#include "TqSystemVariableTable.h"

#include "host/TqResultBuffer.h"

namespace {

// Defaults of a new drawing are those of the usual imperial template.
constexpr TqVariableDefinition kVariables[] = {
    {"ACADVER", tqrt::kString, TqVariableStorage::Computed, 1, true, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"ANGDIR", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 1, false, 0},
    {"ANGBASE", tqrt::kAngle, TqVariableStorage::Header, 50, false, -1e300, 1e300, false, 0.0},
    {"APERTURE", tqrt::kShort, TqVariableStorage::Session, 70, false, 1, 50, false, 10},
    {"ATTDIA", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 0},
    {"ATTREQ", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 1},
    {"AUNITS", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 4, false, 0},
    {"AUPREC", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 8, false, 0},
    {"BLIPMODE", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 0},
    {"CDATE", tqrt::kReal, TqVariableStorage::Computed, 40, true, -1e300, 1e300, false, 0.0},
    {"CECOLOR", tqrt::kString, TqVariableStorage::Header, 62, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u"BYLAYER"},
    {"CELWEIGHT", tqrt::kShort, TqVariableStorage::Header, 370, false, -3, 211, false, -1},
    {"CELTYPE", tqrt::kString, TqVariableStorage::Header, 6, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u"ByLayer"},
    {"CLAYER", tqrt::kString, TqVariableStorage::Header, 8, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u"0"},
    {"CMDDIA", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 1},
    {"CMDECHO", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 1},
    {"CVPORT", tqrt::kShort, TqVariableStorage::Session, 70, false, 1, 32767, false, 2},
    {"DATE", tqrt::kReal, TqVariableStorage::Computed, 40, true, -1e300, 1e300, false, 0.0},
    {"DIMZIN", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 15, false, 0},
    {"DWGNAME", tqrt::kString, TqVariableStorage::Computed, 1, true, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"DWGPREFIX", tqrt::kString, TqVariableStorage::Computed, 1, true, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"ELEVATION", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"ERRNO", tqrt::kShort, TqVariableStorage::Computed, 70, false, -32768, 32767, false, 0},
    {"EXPERT", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 5, false, 0},
    {"EXTMAX", tqrt::kPoint3d, TqVariableStorage::Header, 10, true, -1e300, 1e300, false, 0.0, -1e+20, -1e+20, -1e+20},
    {"EXTMIN", tqrt::kPoint3d, TqVariableStorage::Header, 10, true, -1e300, 1e300, false, 0.0, 1e+20, 1e+20, 1e+20},
    {"FILEDIA", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 1},
    {"FILLETRAD", tqrt::kReal, TqVariableStorage::Header, 40, false, 0.0, 1e300, false, 0.0},
    {"GRIDMODE", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 0},
    {"HIGHLIGHT", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 1},
    {"INSBASE", tqrt::kPoint3d, TqVariableStorage::Header, 10, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0},
    {"INSUNITS", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 24, false, 1},
    {"LASTPOINT", tqrt::kPoint3d, TqVariableStorage::Session, 10, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0},
    {"LIMMAX", tqrt::kPoint2d, TqVariableStorage::Header, 10, false, -1e300, 1e300, false, 0.0, 12.0, 9.0, 0.0},
    {"LIMMIN", tqrt::kPoint2d, TqVariableStorage::Header, 10, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0},
    {"LTSCALE", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, true, 1.0},
    {"LUNITS", tqrt::kShort, TqVariableStorage::Header, 70, false, 1, 5, false, 2},
    {"LUPREC", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 8, false, 4},
    {"MEASUREMENT", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 1, false, 0},
    {"MILLISECS", tqrt::kLong, TqVariableStorage::Computed, 0, true},
    {"ORTHOMODE", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 1, false, 0},
    {"OSMODE", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 32767, false, 4133},
    {"PDMODE", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 100, false, 0},
    {"PDSIZE", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"PICKBOX", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 50, false, 3},
    {"PLINEWID", tqrt::kReal, TqVariableStorage::Header, 40, false, 0.0, 1e300, false, 0.0},
    {"SCREENSIZE", tqrt::kPoint2d, TqVariableStorage::Session, 10, true, -1e300, 1e300, false, 0.0, 1024.0, 768.0, 0.0},
    {"SNAPMODE", tqrt::kShort, TqVariableStorage::Session, 70, false, 0, 1, false, 0},
    {"TEXTSTYLE", tqrt::kString, TqVariableStorage::Header, 7, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u"Standard"},
    {"TEXTSIZE", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, true, 0.2},
    {"THICKNESS", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"TILEMODE", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 1, false, 1},
    {"UCSORG", tqrt::kPoint3d, TqVariableStorage::Header, 10, true, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0},
    {"UCSXDIR", tqrt::kPoint3d, TqVariableStorage::Header, 10, true, -1e300, 1e300, false, 0.0, 1.0, 0.0, 0.0},
    {"UCSYDIR", tqrt::kPoint3d, TqVariableStorage::Header, 10, true, -1e300, 1e300, false, 0.0, 0.0, 1.0, 0.0},
    {"UNITMODE", tqrt::kShort, TqVariableStorage::Header, 70, false, 0, 1, false, 0},
    {"USERI1", tqrt::kShort, TqVariableStorage::Header, 70, false, -32768, 32767, false, 0},
    {"USERI2", tqrt::kShort, TqVariableStorage::Header, 70, false, -32768, 32767, false, 0},
    {"USERI3", tqrt::kShort, TqVariableStorage::Header, 70, false, -32768, 32767, false, 0},
    {"USERI4", tqrt::kShort, TqVariableStorage::Header, 70, false, -32768, 32767, false, 0},
    {"USERI5", tqrt::kShort, TqVariableStorage::Header, 70, false, -32768, 32767, false, 0},
    {"USERR1", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"USERR2", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"USERR3", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"USERR4", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"USERR5", tqrt::kReal, TqVariableStorage::Header, 40, false, -1e300, 1e300, false, 0.0},
    {"USERS1", tqrt::kString, TqVariableStorage::Session, 1, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"USERS2", tqrt::kString, TqVariableStorage::Session, 1, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"USERS3", tqrt::kString, TqVariableStorage::Session, 1, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"USERS4", tqrt::kString, TqVariableStorage::Session, 1, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"USERS5", tqrt::kString, TqVariableStorage::Session, 1, false, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0, u""},
    {"VIEWCTR", tqrt::kPoint3d, TqVariableStorage::Computed, 10, true, -1e300, 1e300, false, 0.0, 0.0, 0.0, 0.0},
    {"VIEWSIZE", tqrt::kReal, TqVariableStorage::Computed, 40, true, -1e300, 1e300, false, 0.0},
    {"WORLDUCS", tqrt::kShort, TqVariableStorage::Computed, 70, true, 0, 1, false, 1},
};

struct Replacement {
    const char* older;
    const char* present;
};

// Names programs still use for variables that have another name now.
constexpr Replacement kReplacements[] = {
    {"COLOR", "CECOLOR"},
    {"LAYER", "CLAYER"},
    {"LINETYPE", "CELTYPE"},
    {"LINEWEIGHT", "CELWEIGHT"},
    {"TEXTHEIGHT", "TEXTSIZE"},
    {"STYLE", "TEXTSTYLE"},
};

}  // namespace

namespace TqSystemVariableTable {

std::span<const TqVariableDefinition> All() { return kVariables; }

const TqVariableDefinition* Find(const QString& name)
{
    for (const TqVariableDefinition& definition : kVariables) {
        if (name.compare(QLatin1String(definition.name), Qt::CaseInsensitive) == 0)
            return &definition;
    }
    return nullptr;
}

QString ReplacementName(const QString& name)
{
    for (const Replacement& replacement : kReplacements) {
        if (name.compare(QLatin1String(replacement.older), Qt::CaseInsensitive) == 0)
            return QLatin1String(replacement.present);
    }
    return {};
}

}  // namespace TqSystemVariableTable
