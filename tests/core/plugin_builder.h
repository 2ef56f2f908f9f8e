// Builds data-container files for the tests: elements with lengths that may lie.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>

#include <zlib.h>

#include "core/Messages.h"

namespace qptest {

inline std::string Le32(uint32_t v)
{
    return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
}

// One element: its length field covers the kind, the name's length, the name and the data unless
// Length is given.
inline std::string Element(const std::string& name, const std::string& data, int64_t length = -1,
                           int nameLength = -1)
{
    const uint32_t l = length >= 0 ? uint32_t(length) : uint32_t(2 + name.size() + data.size());
    const char n = char(nameLength >= 0 ? nameLength : int(name.size()));
    return Le32(l) + '\0' + n + name + data;
}

inline const std::string SoundSignature = Le32(0xAFE54C04);

inline std::string Compressed(const std::string& data)
{
    uLongf size = compressBound(uLong(data.size()));
    std::string out(size, '\0');
    compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(data.data()),
             uLong(data.size()));
    out.resize(size);
    return out;
}

inline std::string SoundElement(const std::string& event, const std::string& wave)
{
    return Element("SOUND", Element("EVENT", event) + Element("WAVE", Compressed(wave)));
}

// Messages while a test runs: under Windows a message form would wait for a person, so messages are
// silenced there and only what the caller does is checked; the host build, which cannot show a form,
// keeps the text of the last message in PendingMessage.
struct TMessagesForTest {
#ifdef _WIN32
    TMessagesForTest()
    {
        SilentMessages = true;
    }
    ~TMessagesForTest()
    {
        SilentMessages = false;
    }
#endif
    // The last message's text holds What (always true where messages are silenced).
    static bool Shown(const std::string& what)
    {
        return SilentMessages || PendingMessage.Text.find(what) != std::string::npos;
    }
};

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace qptest
