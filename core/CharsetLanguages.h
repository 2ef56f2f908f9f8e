// The language that goes with a font character set: what a character chosen in another script is marked as.
#pragma once
#include <cstdint>

// The given language when its script's character set is Charset; else the first language written in that
// character set; else the given language.
int32_t LanguageForCharset(int32_t language, int32_t charset);
// The character set of a language's script (0 for the Western one).
int32_t CharsetOfLanguage(int32_t language);
