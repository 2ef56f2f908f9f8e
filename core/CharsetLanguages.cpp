// The languages of the font character sets, by primary language.
#include "core/CharsetLanguages.h"

namespace {

struct TCharsetLanguage {
    int32_t Primary; // primary language id
    int32_t Charset;
    int32_t Language; // the language a character of that set is marked as (the first listed with it)
};

// Character sets other than the Western one and the primary languages written in them.
const TCharsetLanguage Table[] = {
    {0x01, 178, 0x0401}, // Arabic
    {0x02, 204, 0x0402}, // Bulgarian
    {0x04, 134, 0x0804}, // Chinese (simplified: the traditional one below by its sub-language)
    {0x05, 238, 0x0405}, // Czech
    {0x08, 161, 0x0408}, // Greek
    {0x0D, 177, 0x040D}, // Hebrew
    {0x0E, 238, 0x040E}, // Hungarian
    {0x11, 128, 0x0411}, // Japanese
    {0x12, 129, 0x0412}, // Korean
    {0x15, 238, 0x0415}, // Polish
    {0x18, 238, 0x0418}, // Romanian
    {0x19, 204, 0x0419}, // Russian
    {0x1A, 238, 0x041A}, // Croatian
    {0x1B, 238, 0x041B}, // Slovak
    {0x1C, 238, 0x041C}, // Albanian
    {0x1E, 222, 0x041E}, // Thai
    {0x1F, 162, 0x041F}, // Turkish
    {0x22, 204, 0x0422}, // Ukrainian
    {0x23, 204, 0x0423}, // Belarusian
    {0x24, 238, 0x0424}, // Slovenian
    {0x25, 186, 0x0425}, // Estonian
    {0x26, 186, 0x0426}, // Latvian
    {0x27, 186, 0x0427}, // Lithuanian
    {0x29, 178, 0x0429}, // Persian
    {0x2A, 163, 0x042A}, // Vietnamese
    {0x2F, 204, 0x042F}, // Macedonian
};

constexpr int32_t ChineseBig5Charset = 136;

} // namespace

int32_t CharsetOfLanguage(int32_t language)
{
    const int32_t primary = language & 0x3FF;
    if (primary == 0x04 && (language >> 10) != 2)
        return ChineseBig5Charset; // every Chinese but the simplified one
    for (const TCharsetLanguage& entry : Table)
        if (entry.Primary == primary)
            return entry.Charset;
    return 0;
}

int32_t LanguageForCharset(int32_t language, int32_t charset)
{
    if (CharsetOfLanguage(language) == charset)
        return language;
    if (charset == ChineseBig5Charset)
        return 0x0404;
    for (const TCharsetLanguage& entry : Table)
        if (entry.Charset == charset)
            return entry.Language;
    return language;
}
