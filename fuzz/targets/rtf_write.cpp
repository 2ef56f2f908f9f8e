// Fuzz target: an RTF file read, written back as RTF (standard and 8-bit) and the writing read again.
#include <string>

#include "core/Memory.h"
#include "document/Document.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfWriter.h"
#include "fuzz/Fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TDocument document;
    TLoadInput input(reinterpret_cast<const char*>(data), static_cast<int64_t>(size));
    ReadRtfDocument(document, input);
    document.FinishParagraphs();
    for (bool eightBit : {false, true}) {
        TMemory out;
        TRtfWriteOptions options;
        options.EightBit = eightBit;
        WriteRtf(document, document.GetBodyRange(), options, out);
        TDocument again;
        TLoadInput written(reinterpret_cast<const char*>(out.Data()), out.Size());
        ReadRtfDocument(again, written);
        again.FinishParagraphs();
    }
    return 0;
}
