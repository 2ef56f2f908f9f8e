// Reading tagged paragraph text: run lengths and the plain text it mirrors.
#include "document/InlineTags.h"

#include "core/Memory.h"

void SetTag(uint8_t* tag, int code, int32_t value)
{
    const uint32_t v = static_cast<uint32_t>(value);
    tag[0] = 0;
    tag[1] = static_cast<uint8_t>(code);
    tag[2] = 0;
    tag[3] = static_cast<uint8_t>(v);
    tag[4] = static_cast<uint8_t>(v >> 8);
    tag[5] = static_cast<uint8_t>(v >> 16);
    tag[6] = static_cast<uint8_t>(v >> 24);
    tag[7] = 1;
}

int32_t PlainRunLength(const uint8_t* data, int32_t count)
{
    int32_t n = 0;
    while (n < count && data[n] != 0)
        ++n;
    return n;
}

uint8_t PlainByteOfTag(int code, int32_t value)
{
    switch (code) {
    case tcSectionBreak: return scSectionBreak;
    case tcPicture: return scPicture;
    case tcOLEObject: return scOLEObject;
    default: return static_cast<uint8_t>(value);
    }
}

void AppendPlainText(const uint8_t* stream, int32_t size, TMemory& plain)
{
    int32_t pos = 0;
    while (pos < size) {
        if (stream[pos] != 0) {
            const int32_t run = PlainRunLength(stream + pos, size - pos);
            plain.Append(stream + pos, run);
            pos += run;
            continue;
        }
        if (size - pos < 8)
            break;
        const int code = TagCode(stream + pos);
        if (IsRunEndingTag(code))
            plain.AppendByte(PlainByteOfTag(code, TagValue(stream + pos)));
        pos += 8;
    }
}
