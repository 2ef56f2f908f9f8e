// The record fills and tests over the 22 character-format and 15 paragraph-format fields.
#include "core/RecordUtils.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int32_t CharFields = 22;
constexpr int32_t ParaFields = 15;

// The records are plain sequences of 32-bit fields.
int32_t* Fields(TCharFormat& f)
{
    return reinterpret_cast<int32_t*>(&f);
}
const int32_t* Fields(const TCharFormat& f)
{
    return reinterpret_cast<const int32_t*>(&f);
}
int32_t* Fields(TParaFormat& f)
{
    return reinterpret_cast<int32_t*>(&f);
}
const int32_t* Fields(const TParaFormat& f)
{
    return reinterpret_cast<const int32_t*>(&f);
}

} // namespace

void FillDWords(int32_t* dest, int32_t count, int32_t value)
{
    if (count > 0)
        std::fill(dest, dest + count, value);
}

void FillUndefined(int32_t* dest, int32_t count)
{
    FillDWords(dest, count, UndefinedField);
}

void CopyDWords(const int32_t* source, int32_t* dest, int32_t count)
{
    if (count > 0)
        std::memmove(dest, source, static_cast<size_t>(count) * sizeof(int32_t));
}

void ClearCharFormatState(TCharFormat& format)
{
    FillUndefined(Fields(format), CharFields);
}

void ClearParFormatState(TParaFormat& format)
{
    FillUndefined(Fields(format), ParaFields);
}

bool IsCharFormatUndefined(const TCharFormat& format)
{
    return std::none_of(Fields(format), Fields(format) + CharFields, IsFieldSet);
}

bool CharFormatHasUndefined(const TCharFormat& format)
{
    return !std::all_of(Fields(format), Fields(format) + CharFields, IsFieldSet);
}

bool IsParaFormatUndefined(const TParaFormat& format)
{
    return std::none_of(Fields(format), Fields(format) + ParaFields, IsFieldSet);
}

bool SameParaFormat(const TParaFormat& a, const TParaFormat& b)
{
    return std::equal(Fields(a), Fields(a) + ParaFields, Fields(b));
}
