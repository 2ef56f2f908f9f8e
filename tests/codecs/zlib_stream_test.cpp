// The compressed streams, whole-buffer inflation and the CRC-32 table, checked against zlib's own routines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "codecs/Zlib.h"
#include "tests/codecs/png_test_support.h"

using namespace pngtest;

namespace {

// Bytes that compress somewhat: runs and a slowly changing pattern.
std::string Sample(size_t size)
{
    std::string s(size, '\0');
    uint32_t seed = 12345;
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 1103515245 + 12345;
        s[i] = static_cast<char>((i / 7) % 13 == 0 ? (seed >> 16) : 'a' + (i / 100) % 26);
    }
    return s;
}

std::string Compress(const std::string& data, TZCompressionLevel level)
{
    TMemoryStream target;
    TZCompressionStream z(level, target);
    // In uneven pieces, so that the 64 KB buffer fills in the middle of a write.
    size_t at = 0;
    for (size_t piece = 1; at < data.size(); piece = piece * 3 + 1) {
        size_t n = std::min(piece, data.size() - at);
        EXPECT_EQ(static_cast<int32_t>(n), z.Write(data.data() + at, static_cast<int32_t>(n)));
        at += n;
    }
    EXPECT_EQ(static_cast<int64_t>(data.size()), z.Seek(0, soCurrent));
    z.Finish();
    return BytesOf(target);
}

std::string ReadAll(TZDecompressionStream& z, int32_t piece)
{
    std::string out;
    std::string buffer(static_cast<size_t>(piece), '\0');
    for (;;) {
        int32_t got = z.Read(buffer.data(), piece);
        out.append(buffer.data(), static_cast<size_t>(got));
        if (got < piece)
            return out;
    }
}

TEST(ZStream, CompressedDataInflatesBackAtEveryLevel)
{
    for (size_t size : {size_t(0), size_t(1), size_t(65535), size_t(65536), size_t(300000)}) {
        const std::string data = Sample(size);
        for (TZCompressionLevel level : {zcNone, zcFastest, zcDefault, zcMax}) {
            const std::string packed = Compress(data, level);
            EXPECT_EQ(data, Inflate(packed)) << size << " level " << int(level);
            TMemoryStream source = StreamOf(packed);
            TZDecompressionStream z(source);
            EXPECT_EQ(data, ReadAll(z, 4099)) << size << " level " << int(level);
            EXPECT_EQ(0, z.Read(nullptr, 0));
        }
    }
}

TEST(ZStream, LevelsMapToStoredFastDefaultBest)
{
    const std::string data = Sample(200000);
    const std::string stored = Compress(data, zcNone);
    EXPECT_GT(stored.size(), data.size());
    EXPECT_LT(Compress(data, zcFastest).size(), data.size() / 2);
    EXPECT_EQ(Deflate(data), Compress(data, zcDefault)); // zlib's compress uses its default level
    EXPECT_LE(Compress(data, zcMax).size(), Compress(data, zcDefault).size());
}

TEST(ZStream, NothingCompressedIsACompleteEmptyStream)
{
    TMemoryStream finished, destroyed;
    {
        TZCompressionStream z(zcDefault, finished);
        z.Finish();
    }
    {
        TZCompressionStream z(zcDefault, destroyed);
    }
    EXPECT_EQ("", Inflate(BytesOf(finished)));
    EXPECT_EQ(BytesOf(finished), BytesOf(destroyed));
}

TEST(ZStream, CompressionPutsBackATargetMovedBetweenWrites)
{
    const std::string data = Sample(200000);
    TMemoryStream target;
    target.WriteBuffer("head", 4);
    TZCompressionStream z(zcDefault, target);
    z.WriteBuffer(data.data(), 100000);
    target.SetPosition(0);
    z.WriteBuffer(data.data() + 100000, 100000);
    target.SetPosition(1);
    z.Finish();
    const std::string all = BytesOf(target);
    EXPECT_EQ("head", all.substr(0, 4));
    EXPECT_EQ(data, Inflate(all.substr(4)));
}

TEST(ZStream, DecompressionPutsBackASourceMovedBetweenReads)
{
    const std::string data = Sample(200000);
    TMemoryStream source = StreamOf("prefix" + Deflate(data) + "trailing bytes");
    source.SetPosition(6);
    TZDecompressionStream z(source);
    std::string first(70000, '\0');
    z.ReadBuffer(first.data(), 70000);
    source.SetPosition(0);
    std::string rest = ReadAll(z, 1000);
    EXPECT_EQ(data, first + rest);
}

TEST(ZStream, ReadingPastTheEndGivesWhatIsLeft)
{
    const std::string data = Sample(1000);
    TMemoryStream source = StreamOf(Deflate(data) + "more");
    TZDecompressionStream z(source);
    std::string buffer(5000, '\0');
    EXPECT_EQ(1000, z.Read(buffer.data(), 5000));
    EXPECT_EQ(0, z.Read(buffer.data(), 5000));
    EXPECT_THROW(z.ReadBuffer(buffer.data(), 1), EStreamError);
}

TEST(ZStream, TruncatedDataEndsEarlyAndDamagedDataRaises)
{
    const std::string packed = Deflate(Sample(100000));
    TMemoryStream cut = StreamOf(packed.substr(0, packed.size() / 2));
    TZDecompressionStream z(cut);
    std::string buffer(100000, '\0');
    EXPECT_LT(z.Read(buffer.data(), 100000), 100000);

    std::string damaged = packed;
    for (size_t i = 10; i < 40; ++i)
        damaged[i] = static_cast<char>(~damaged[i]);
    TMemoryStream bad = StreamOf(damaged);
    TZDecompressionStream y(bad);
    EXPECT_THROW(y.Read(buffer.data(), 100000), EStreamError);

    TMemoryStream garbage = StreamOf("not zlib data at all");
    TZDecompressionStream x(garbage);
    EXPECT_THROW(x.Read(buffer.data(), 10), EStreamError);
}

TEST(ZStream, InputLimitStopsAtTheNextFile)
{
    const std::string a = Sample(80000), b = Sample(5000);
    const std::string packedA = Deflate(a);
    TMemoryStream source = StreamOf(packedA + Deflate(b));
    TZDecompressionStream z(source);
    z.SetInputLimit(static_cast<int64_t>(packedA.size()));
    EXPECT_EQ(a, ReadAll(z, 3000));
    EXPECT_LE(source.GetPosition(), static_cast<int64_t>(packedA.size()));

    TMemoryStream again = StreamOf(packedA);
    TZDecompressionStream limited(again);
    limited.SetInputLimit(100);
    EXPECT_LT(ReadAll(limited, 3000).size(), a.size());
}

TEST(ZStream, DecompressionSeeks)
{
    const std::string data = Sample(50000);
    TMemoryStream source = StreamOf("ab" + Deflate(data));
    source.SetPosition(2);
    TZDecompressionStream z(source);
    char c = 0;
    EXPECT_EQ(10000, z.Seek(10000, soBeginning));
    z.ReadBuffer(&c, 1);
    EXPECT_EQ(data[10000], c);
    EXPECT_EQ(10501, z.Seek(500, soCurrent));
    z.ReadBuffer(&c, 1);
    EXPECT_EQ(data[10501], c);
    // Backwards or from the end: nothing moves.
    EXPECT_EQ(10502, z.Seek(5, soBeginning));
    EXPECT_EQ(10502, z.Seek(-5, soCurrent));
    EXPECT_EQ(10502, z.Seek(0, soEnd));
    // Back to the start: the data again, from where the stream began in its source.
    EXPECT_EQ(0, z.Seek(0, soBeginning));
    EXPECT_EQ(data, ReadAll(z, 777));
    // Past the end: as far as the data goes.
    EXPECT_EQ(0, z.Seek(0, soBeginning));
    EXPECT_EQ(50000, z.Seek(90000, soBeginning));
}

TEST(ZStream, CompressionStreamReadsNothing)
{
    TMemoryStream target;
    TZCompressionStream z(zcFastest, target);
    char c;
    EXPECT_EQ(0, z.Read(&c, 1));
    TMemoryStream source = StreamOf(Deflate("x"));
    TZDecompressionStream d(source);
    EXPECT_EQ(0, d.Write("y", 1));
}

TEST(DecompressBuffer, InflatesWhateverTheEstimate)
{
    for (size_t size : {size_t(0), size_t(1), size_t(1000), size_t(1024), size_t(123457)}) {
        const std::string data = Sample(size);
        const std::string packed = Deflate(data);
        for (int32_t estimate : {0, 1, static_cast<int32_t>(size), static_cast<int32_t>(size) + 5000}) {
            std::vector<uint8_t> out =
                DecompressBuffer(packed.data(), static_cast<int32_t>(packed.size()), estimate);
            EXPECT_EQ(data, std::string(out.begin(), out.end())) << size << " estimate " << estimate;
        }
    }
}

TEST(DecompressBuffer, DamagedOrTruncatedInputRaises)
{
    const std::string packed = Deflate(Sample(50000));
    EXPECT_THROW(DecompressBuffer(packed.data(), static_cast<int32_t>(packed.size() - 10), 0), EStreamError);
    EXPECT_THROW(DecompressBuffer(packed.data(), 0, 0), EStreamError);
    EXPECT_THROW(DecompressBuffer(nullptr, 0, 0), EStreamError);
    EXPECT_THROW(DecompressBuffer("garbage!", 8, 0), EStreamError);
    std::string damaged = packed;
    damaged[20] = static_cast<char>(~damaged[20]);
    damaged[21] = static_cast<char>(~damaged[21]);
    EXPECT_THROW(DecompressBuffer(damaged.data(), static_cast<int32_t>(damaged.size()), 0), EStreamError);
}

TEST(Crc32, IsTheStandardCrc)
{
    const auto& table = MakeCrcTable();
    EXPECT_EQ(&table, &MakeCrcTable());
    EXPECT_EQ(0u, table[0]);
    EXPECT_EQ(0xEDB88320u, table[128]);
    EXPECT_EQ(0xCBF43926u, UpdateCrc32(0xFFFFFFFFu, "123456789", 9) ^ 0xFFFFFFFFu);
    const std::string data = Sample(10000);
    EXPECT_EQ(crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())),
              UpdateCrc32(0xFFFFFFFFu, data.data(), data.size()) ^ 0xFFFFFFFFu);
}

} // namespace
