#pragma once
// Field data types of the local tables; the numbers are the wire codes.

#include <QString>

namespace pel {

enum class FieldType : int {
    Unknown = 0,
    String = 1,
    Date = 2,
    Blob = 3,
    Boolean = 4,
    Int16 = 5,
    Int32 = 6,
    Double = 7,
    BCD = 8,
    Time = 10,
    DateTime = 11,
    Int64 = 18,
    TimeStamp = 24,
    Currency = 25,
    WideString = 26,
    BinaryBlob = 33,
};

// How a column keeps its values.
enum class Storage { Int, Real, Text, Bytes };

bool isKnownFieldType(int code);
Storage storageOf(FieldType t);
bool isIntegerType(FieldType t);  // Int16, Int32, Int64
bool isNumericType(FieldType t);  // integers, Double, Currency, BCD
bool isDateTimeType(FieldType t); // Date, Time, DateTime, TimeStamp

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0;      // strings: declared length
    int precision = 0; // BCD
    int scale = 0;     // BCD
};

} // namespace pel
