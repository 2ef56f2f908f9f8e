// Reading speed of Word 97 documents: a Word file of about 20 MB that LibreOffice writes from a generated
// RTF document (text with formatting, fields, tab stops, several sections) is read into a document;
// prints megabytes per second and peak memory, and LibreOffice's own import time of the same file
// where LibreOffice is installed. Without LibreOffice, or with a file named on the command line, that
// file is read instead.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "document/Document.h"
#include "formats/word/WordReader.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

std::string MakeRtf(size_t target)
{
    std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}{\\f1\\fswiss Arial;}}"
                      "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n";
    const char* paragraph =
        "\\pard\\plain\\ql\\li360\\ri120\\sb120\\sa60\\tx2000\\f0\\fs24 Le texte d\\'e9bute ici, {\\b gras} "
        "et "
        "{\\i italique}, {\\cf1 rouge} et {\\f1\\fs20 Arial}, un champ {\\field{\\*\\fldinst PAGE}"
        "{\\fldrslt 1}} puis une tabulation\\tab et la fin du paragraphe avec des accents "
        "\\'e0\\'e7\\'f4 ; une phrase de plus pour allonger le paragraphe comme dans un vrai texte.\\par\n";
    for (size_t n = 0; rtf.size() < target; ++n) {
        rtf += paragraph;
        if (n % 5000 == 4999)
            rtf += "\\sect\\sectd\n";
    }
    return rtf + "}";
}

bool HasLibreOffice()
{
    return std::system("command -v soffice >/dev/null 2>&1") == 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string path = argc > 1 ? argv[1] : "";
    const std::string work = "/tmp/quillpad-bench-word";
    double officeSeconds = -1;
    if (path.empty()) {
        if (!HasLibreOffice()) {
            std::printf(
                "word_read: LibreOffice is not installed and no Word file was named: nothing to read\n");
            return 0;
        }
        std::system(("mkdir -p " + work).c_str());
        path = work + "/bench12.doc";
        if (!std::ifstream(path)) {
            // LibreOffice writes the text in UTF-16: 12 MB of RTF make a Word file of about 20 MB.
            std::ofstream(work + "/bench12.rtf", std::ios::binary) << MakeRtf(size_t(12) << 20);
            const std::string convert =
                "cd " + work + " && soffice -env:UserInstallation=file://" + work +
                "/profile --headless --convert-to 'doc:MS Word 97' bench12.rtf >/dev/null 2>&1";
            if (std::system(convert.c_str()) != 0) {
                std::printf("word_read: LibreOffice could not write the Word file\n");
                return 0;
            }
        }
        // LibreOffice's own import of the same file (to plain text, the least it can write), start included.
        const auto start = std::chrono::steady_clock::now();
        const std::string import = "cd " + work + " && soffice -env:UserInstallation=file://" + work +
                                   "/profile --headless --convert-to txt:Text bench12.doc >/dev/null 2>&1";
        if (std::system(import.c_str()) == 0)
            officeSeconds = Seconds(start);
    }
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty()) {
        std::printf("word_read: cannot read %s\n", path.c_str());
        return 1;
    }
    const double megabytes = bytes.size() / 1048576.0;
    const long before = PeakKilobytes();
    double best = 1e30;
    size_t paragraphs = 0;
    for (int run = 0; run < 3; ++run) {
        TDocument document;
        const auto start = std::chrono::steady_clock::now();
        TWordReadResult r =
            ReadWordDocumentBytes(document, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        document.FinishParagraphs();
        best = std::min(best, Seconds(start));
        if (!r.Read) {
            std::printf("word_read: the file was not read: %s\n", r.Error.c_str());
            return 1;
        }
        paragraphs = document.Paragraphs.size();
    }
    std::printf(
        "word_read: reading a Word 97 file of %.1f MB into a document %.1f MB/s, %.2f s (%zu paragraphs)\n",
        megabytes, megabytes / best, best, paragraphs);
    if (officeSeconds > 0)
        std::printf("word_read: LibreOffice's import of the same file %.2f s, %.1f times as long\n",
                    officeSeconds, officeSeconds / best);
    const long after = PeakKilobytes();
    if (before >= 0 && after >= 0)
        std::printf(
            "word_read: peak memory while reading %.1f MB above the %.1f MB before (file %.1f MB, %.2f "
            "times)\n",
            (after - before) / 1024.0, before / 1024.0, megabytes, (after - before) / 1024.0 / megabytes);
    return 0;
}
