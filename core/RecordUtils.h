// Fills, copies and tests of the format records, treated as arrays of 32-bit fields.
#pragma once
#include <cstdint>

struct TCharFormat;
struct TParaFormat;

// The field value that means "not set".
constexpr int32_t UndefinedField = INT32_MIN;

// A field holds a value; a field holds a value other than 0 (a switch that is on).
constexpr bool IsFieldSet(int32_t value)
{
    return value != UndefinedField;
}
constexpr bool IsFieldOn(int32_t value)
{
    return value != 0 && value != UndefinedField;
}

void FillDWords(int32_t* dest, int32_t count, int32_t value);
void FillUndefined(int32_t* dest, int32_t count);
void CopyDWords(const int32_t* source, int32_t* dest, int32_t count);

// Every field of the record not set.
void ClearCharFormatState(TCharFormat& format);
void ClearParFormatState(TParaFormat& format);
bool IsCharFormatUndefined(const TCharFormat& format);
bool CharFormatHasUndefined(const TCharFormat& format);
bool IsParaFormatUndefined(const TParaFormat& format);
bool SameParaFormat(const TParaFormat& a, const TParaFormat& b);
