// Fuzz target: a GIF picture decoded with all its frames.
#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "codecs/GIF.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemoryStream stream;
    stream.Write(data, static_cast<int32_t>(size));
    stream.Seek(0, soBeginning);
    try {
        TGIFImage image;
        image.LoadFromStream(stream);
        for (int i = 0; i < image.FrameCount(); ++i)
            image.Frame(i).GetWidth();
    } catch (const Exception&) {}
    return 0;
}
