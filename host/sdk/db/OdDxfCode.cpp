// Group-code types by range.
#include "OdDxfCode.h"

namespace OdDxfCode {

Type type(int code)
{
    if (code < 0)
        return code == -1 || code == -2 ? Type::ObjectId : code == -3 ? Type::None : Type::String;
    if (code <= 9)
        return Type::String;
    if (code <= 59)
        return isPointX(code) ? Type::Point : Type::Real;
    if (code <= 79)
        return Type::Int16;
    if (code <= 89)
        return Type::String;
    if (code <= 99)
        return Type::Int32;
    if (code <= 109)
        return Type::String;
    if (code <= 149)
        return isPointX(code) ? Type::Point : Type::Real;
    if (code <= 159)
        return Type::String;
    if (code <= 169)
        return Type::Int64;
    if (code <= 179)
        return Type::Int16;
    if (code <= 209)
        return Type::String;
    if (code <= 239)
        return isPointX(code) ? Type::Point : Type::Real;
    if (code <= 269)
        return Type::String;
    if (code <= 299)
        return Type::Int16;
    if (code <= 309)
        return Type::String;
    if (code <= 319)
        return Type::Binary;
    if (code <= 369)
        return Type::ObjectId;
    if (code <= 389)
        return Type::Int16;
    if (code <= 399)
        return Type::ObjectId;
    if (code <= 409)
        return Type::Int16;
    if (code <= 419)
        return Type::String;
    if (code <= 429)
        return Type::Int32;
    if (code <= 439)
        return Type::String;
    if (code <= 459)
        return Type::Int32;
    if (code <= 469)
        return Type::Real;
    if (code <= 479)
        return Type::String;
    if (code <= 481)
        return Type::ObjectId;
    if (code <= 1003)
        return Type::String;
    if (code == 1004)
        return Type::Binary;
    if (code <= 1009)
        return Type::String;
    if (code <= 1059)
        return isPointX(code) ? Type::Point : Type::Real;
    if (code <= 1070)
        return Type::Int16;
    if (code == 1071)
        return Type::Int32;
    return Type::String;
}

bool isPointX(int code)
{
    return (code >= 10 && code <= 18) || (code >= 110 && code <= 112) || code == 210
        || (code >= 1010 && code <= 1013);
}

bool isHandleText(int code)
{
    return code == 5 || code == 105 || code == 1005;
}

}  // namespace OdDxfCode
