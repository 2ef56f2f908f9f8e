// The format tests over the first chunk of a file.
#include "formats/load/FormatDetection.h"

#include <cstring>

#include "codecs/CharTables.h"
#include "core/Codings.h"
#include "formats/load/WordStorage.h"

namespace {

uint16_t WordAt(const TLoadInput& input, int32_t offset)
{
    if (offset + 2 > input.Filled)
        return 0;
    return static_cast<uint16_t>(input.Buffer[offset] | input.Buffer[offset + 1] << 8);
}

bool IsRtf(TLoadInput& input)
{
    if (input.Size < 6 || !input.Ensure(6))
        return false;
    const uint8_t* p = input.Buffer.data() + input.Pos;
    return p[0] == '{' && p[1] == '\\' && LetterTable[p[2]] == 'r' && LetterTable[p[3]] == 't' &&
           LetterTable[p[4]] == 'f';
}

bool IsWrite(TLoadInput& input)
{
    if (input.Size <= 0 || input.Size % 128 != 0 || !input.Ensure(1) || input.Filled < 98)
        return false;
    uint16_t id = WordAt(input, 0);
    return (id == 0xBE31 || id == 0xBE32) && WordAt(input, 4) == 0xAB00 && WordAt(input, 96) != 0;
}

bool IsEncrypted(TLoadInput& input)
{
    return input.Size > 58 && input.Ensure(kEncryptedSignatureLength) &&
           std::memcmp(input.Buffer.data() + input.Pos, EncryptedSignature, kEncryptedSignatureLength) == 0;
}

} // namespace

bool IsWordStorageFile(TLoadInput& input)
{
    if (input.WordStorageState != 0)
        return input.WordStorageState == 1;
    input.WordStorageState = 2;
    TReadAt read = [&input](int64_t offset, uint8_t* into, int32_t count) {
        return input.ReadAt(offset, into, count);
    };
    std::vector<uint8_t> start;
    if (!ReadCompoundStreamStart(read, input.Size, "WordDocument", kWordStreamStartSize, start) ||
        !IsWordStreamStart(start))
        return false;
    input.WordStorageState = 1;
    input.WordStreamStart = std::move(start);
    return true;
}

bool IsFileOfFormat(int coding, TLoadInput& input)
{
    switch (coding) {
    case cdRtf: return IsRtf(input);
    case cdWord6:
    case cdWord97: return IsWordStorageFile(input);
    case cdWrite: return IsWrite(input);
    case cdEncrypted: return IsEncrypted(input);
    default: return true;
    }
}

int DetectFileFormat(TLoadInput& input)
{
    for (int coding : {cdRtf, cdEncrypted, cdWrite, cdWord6})
        if (IsFileOfFormat(coding, input))
            return coding;
    return cdAnsiText;
}
