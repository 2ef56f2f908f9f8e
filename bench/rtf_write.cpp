// Writing speed of Rich Text Format and of encrypted documents: the 10 MB benchmark document read once,
// then written as RTF (the program's own 8-bit form and standard 7-bit RTF) and enciphered; prints
// megabytes per second of output.
#include <chrono>
#include <cstdio>
#include <string>

#include "bench/BenchDocument.h"
#include "core/Memory.h"
#include "document/Document.h"
#include "formats/Encryption.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfWriter.h"

namespace {

template<typename F>
double BestSeconds(F f)
{
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        const auto start = std::chrono::steady_clock::now();
        f();
        best =
            std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return best;
}

} // namespace

int main()
{
    const std::string rtf = MakeBenchmarkRtf(10 * 1024 * 1024);
    TDocument document;
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    ReadRtfDocument(document, input);
    document.FinishParagraphs();
    for (bool eightBit : {true, false}) {
        TMemory out;
        TRtfWriteOptions options;
        options.EightBit = eightBit;
        const double seconds = BestSeconds([&] {
            out.Clear();
            WriteRtf(document, document.GetBodyRange(), options, out);
        });
        const double megabytes = out.Size() / (1024.0 * 1024.0);
        std::printf("rtf_write: %s RTF %.1f MB written at %.1f MB/s\n", eightBit ? "8-bit" : "7-bit",
                    megabytes, megabytes / seconds);
    }
    TMemory out;
    TRtfWriteOptions options;
    options.EightBit = true;
    WriteRtf(document, document.GetBodyRange(), options, out);
    TDigest key1{}, key2{};
    key2.fill(7);
    const double seconds = BestSeconds([&] {
        TCipherContext cipher;
        uint8_t header[kEncryptedHeaderSize];
        cipher.CreateHeader(header, "mot de passe", key1, key2);
        cipher.EncryptBuffer(out.Data(), out.Size());
        cipher.Trailer();
    });
    const double megabytes = out.Size() / (1024.0 * 1024.0);
    std::printf("rtf_write: encrypted document %.1f MB enciphered at %.1f MB/s\n", megabytes,
                megabytes / seconds);
    return 0;
}
