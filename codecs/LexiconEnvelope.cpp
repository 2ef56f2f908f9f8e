// Reading and writing the compressed envelope of lexicon files with zlib.
#include "codecs/LexiconEnvelope.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>

namespace {

constexpr size_t PieceSize = 16384;

} // namespace

bool IsCompressedLexiconFile(const std::string& fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    char head[4];
    return in.read(head, 4) && std::memcmp(head, CompressedLexiconSignature, 4) == 0;
}

bool InflateLexiconFile(const std::string& source, const std::string& destination)
{
    std::ifstream in(source, std::ios::binary);
    char head[4];
    if (!in.read(head, 4) || std::memcmp(head, CompressedLexiconSignature, 4) != 0)
        return false;
    std::ofstream out(destination, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;

    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return false;
    unsigned char input[PieceSize], output[PieceSize];
    int r = Z_OK;
    bool ok = true;
    while (ok && r != Z_STREAM_END) {
        in.read(reinterpret_cast<char*>(input), PieceSize);
        z.next_in = input;
        z.avail_in = static_cast<uInt>(in.gcount());
        if (z.avail_in == 0) {
            ok = false; // the file ends inside the stream
            break;
        }
        while (ok && z.avail_in > 0 && r != Z_STREAM_END) {
            z.next_out = output;
            z.avail_out = PieceSize;
            r = inflate(&z, Z_NO_FLUSH);
            if (r != Z_OK && r != Z_STREAM_END && r != Z_BUF_ERROR)
                ok = false;
            else if (!out.write(reinterpret_cast<char*>(output), PieceSize - z.avail_out))
                ok = false;
            else if (r == Z_BUF_ERROR && z.avail_out != 0)
                ok = false; // no progress with room to spare: the stream is damaged
        }
    }
    // Nothing may follow the stream.
    ok = ok && z.avail_in == 0 && in.peek() == std::char_traits<char>::eof();
    inflateEnd(&z);
    out.close();
    if (!ok || !out) {
        std::remove(destination.c_str());
        return false;
    }
    return true;
}

std::string CompressLexicon(std::string_view lexicon)
{
    uLongf size = compressBound(static_cast<uLong>(lexicon.size()));
    std::string out(4 + size, '\0');
    std::memcpy(out.data(), CompressedLexiconSignature, 4);
    if (compress2(reinterpret_cast<Bytef*>(out.data() + 4), &size,
                  reinterpret_cast<const Bytef*>(lexicon.data()), static_cast<uLong>(lexicon.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("lexicon compression failed");
    out.resize(4 + size);
    return out;
}
