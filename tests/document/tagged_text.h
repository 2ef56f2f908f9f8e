// Writing and reading tagged paragraph text in tests: "{code:value}" is a tag, anything else a character.
#pragma once
#include <cstdint>
#include <string>

#include "core/Memory.h"
#include "document/Paragraph.h"

namespace qptest {

// The stream that Notation describes, e.g. "{1:20}Ab{22:7}c{22:2}".
std::string TaggedText(const std::string& notation);
// The notation of a stream; a tag cut off by the end shows as "{cut}".
std::string DescribeTagged(const uint8_t* data, int32_t size);
inline std::string DescribeTagged(const TMemory& m)
{
    return DescribeTagged(m.Data(), m.Size());
}
inline std::string Bytes(const TMemory& m)
{
    return std::string(reinterpret_cast<const char*>(m.Data()), static_cast<size_t>(m.Size()));
}
// Sets a paragraph's stream from a notation and rebuilds its plain text.
void SetTaggedText(TParagraph& paragraph, const std::string& notation);

} // namespace qptest
