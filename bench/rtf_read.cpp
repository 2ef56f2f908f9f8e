// Reading speed of Rich Text Format: builds a document of about 10 MB (text with formatting, tables of
// fonts and colours, fields, PNG pictures in hexadecimal) and prints megabytes per second and peak memory.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "bench/BenchDocument.h"
#include "classlib/runtime/Streams.h"
#include "core/TabTables.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "codecs/PNG.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfControlWords.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfTokenizer.h"

int main()
{
    std::string rtf = MakeBenchmarkRtf(10 * 1024 * 1024);
    long before = PeakKilobytes();
    double megabytes = rtf.size() / (1024.0 * 1024.0);
    double best = 1e9;
    size_t tokens = 0;
    for (int round = 0; round < 3; ++round) {
        auto start = std::chrono::steady_clock::now();
        TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
        TRtfTokenizer tokenizer(input);
        std::vector<uint8_t> data;
        tokens = 0;
        for (;;) {
            const TRtfToken& t = tokenizer.Next();
            if (t.Kind == TRtfTokenKind::End)
                break;
            ++tokens;
            if (t.Kind == TRtfTokenKind::Word && t.Word == rw_pngblip) {
                data.clear();
                tokenizer.ReadHexData(data);
            }
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds < best)
            best = seconds;
    }
    std::printf("rtf_read: %.1f MB, %zu tokens\n", megabytes, tokens);
    std::printf("rtf_read: tokenizing %.1f MB/s\n", megabytes / best);
    // The whole reader, into a document.
    double bestRead = 1e9;
    size_t paragraphs = 0, pictures = 0;
    long beforeRead = PeakKilobytes();
    for (int round = 0; round < 3; ++round) {
        TDocument document;
        auto start = std::chrono::steady_clock::now();
        TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
        ReadRtfDocument(document, input);
        document.FinishParagraphs();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (seconds < bestRead)
            bestRead = seconds;
        paragraphs = document.Paragraphs.size();
        pictures = document.ObjectManager->Objects.size();
    }
    std::printf("rtf_read: reading into a document %.1f MB/s (%zu paragraphs, %zu pictures)\n",
                megabytes / bestRead, paragraphs, pictures);
    if (beforeRead >= 0)
        std::printf("rtf_read: peak memory while reading %.1f MB above the %.1f MB before (file %.1f MB, "
                    "%.2f times)\n",
                    (PeakKilobytes() - beforeRead) / 1024.0, beforeRead / 1024.0, megabytes,
                    (PeakKilobytes() - beforeRead) / 1024.0 / megabytes);
    long after = PeakKilobytes();
    if (after >= 0)
        std::printf("rtf_read: peak memory %.1f MB (%.1f MB before reading, file %.1f MB)\n", after / 1024.0,
                    before / 1024.0, megabytes);
    return 0;
}
