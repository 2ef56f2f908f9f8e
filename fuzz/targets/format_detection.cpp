// Fuzz target: a file of unknown format through the program's load, which detects its format first and
// then runs the reader it found (an encrypted file stops at the password nobody gives).
#include "fuzz/Fuzzing.h"
#include "core/Codings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzLoadDocument(data, size, cdCodingCount);
    return 0;
}
