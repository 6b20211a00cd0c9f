#include "fieldtype.h"

namespace pel {

bool isKnownFieldType(int code)
{
    switch (code) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8:
    case 10: case 11: case 18: case 24: case 25: case 26: case 33:
        return true;
    default:
        return false;
    }
}

Storage storageOf(FieldType t)
{
    switch (t) {
    case FieldType::Boolean:
    case FieldType::Int16:
    case FieldType::Int32:
    case FieldType::Int64:
        return Storage::Int;
    case FieldType::Double:
    case FieldType::Currency:
    case FieldType::BCD:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
    case FieldType::TimeStamp:
        return Storage::Real;
    case FieldType::Blob:
    case FieldType::BinaryBlob:
        return Storage::Bytes;
    default:
        return Storage::Text;
    }
}

bool isIntegerType(FieldType t)
{
    return t == FieldType::Int16 || t == FieldType::Int32 || t == FieldType::Int64;
}

bool isNumericType(FieldType t)
{
    return isIntegerType(t) || t == FieldType::Double || t == FieldType::Currency ||
           t == FieldType::BCD;
}

bool isDateTimeType(FieldType t)
{
    return t == FieldType::Date || t == FieldType::Time || t == FieldType::DateTime ||
           t == FieldType::TimeStamp;
}

} // namespace pel
