// The cipher engine of encrypted documents and the whole-file check of an encrypted file.
#include "formats/Encryption.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "document/DocumentHost.h"

namespace {

constexpr char kSignature[] = "987D Ttcad";
constexpr int kSignatureSize = 10;
constexpr int kPasswordPasses = 2048;
constexpr int kHashSteps = 160;
constexpr int32_t kCheckChunk = 16384;
// The key the digest starts from.
constexpr uint8_t kDigestStartKey[16] = {0x5a, 0xc1, 0xe0, 0x7d, 0x93, 0xb4, 0x2f, 0x68,
                                         0xc0, 0xd7, 0x1e, 0x3a, 0x85, 0xf2, 0x9b, 0x46};

uint32_t TickCount()
{
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

uint8_t TEncryptionManager::KeystreamByte(TSlot& slot, uint8_t c)
{
    uint16_t w[8];
    uint16_t inter = 0;
    for (int i = 0; i < 8; ++i) {
        const uint16_t keyWord = static_cast<uint16_t>(slot.Key[2 * i] << 8 | slot.Key[2 * i + 1]);
        w[i] = i == 0 ? keyWord : static_cast<uint16_t>(w[i - 1] ^ keyWord);
        // One mixing step on the slot's running words and w[i].
        const uint16_t t = static_cast<uint16_t>((slot.X1a2 + i) * 20021);
        slot.X1a2 = static_cast<uint16_t>(slot.Si + t + 346 * w[i]);
        slot.Si = static_cast<uint16_t>(346 * w[i]);
        w[i] = static_cast<uint16_t>(20021 * w[i] + 1);
        inter = static_cast<uint16_t>(inter ^ (slot.X1a2 ^ w[i]));
    }
    return static_cast<uint8_t>(c ^ (inter >> 8) ^ (inter & 255));
}

uint8_t TEncryptionManager::EncipherByte(TSlot& slot, uint8_t c)
{
    const uint8_t out = KeystreamByte(slot, c);
    for (uint8_t& k : slot.Key)
        k ^= c;
    return out;
}

uint8_t TEncryptionManager::DecipherByte(TSlot& slot, uint8_t c)
{
    const uint8_t plain = KeystreamByte(slot, c);
    for (uint8_t& k : slot.Key)
        k ^= plain;
    return plain;
}

void TEncryptionManager::AddEntropy(int32_t code)
{
    Pool[size_t(PoolIndex)] ^= static_cast<uint8_t>(TickCount() ^ static_cast<uint32_t>(code));
    PoolIndex = (PoolIndex + 1) % 32;
}

void TEncryptionManager::EncryptBuffer(uint8_t* buffer, int32_t length)
{
    for (int32_t i = 0; i < length; ++i) {
        CheckValue[size_t(CheckIndex)] ^= buffer[i];
        CheckIndex = (CheckIndex + 1) % 16;
        buffer[i] = EncipherByte(A, buffer[i]);
    }
    for (int32_t i = 0; i < length; ++i)
        buffer[i] = EncipherByte(B, buffer[i]);
}

void TEncryptionManager::DecryptBuffer(uint8_t* buffer, int32_t length)
{
    for (int32_t i = 0; i < length; ++i)
        buffer[i] = DecipherByte(B, buffer[i]);
    for (int32_t i = 0; i < length; ++i) {
        buffer[i] = DecipherByte(A, buffer[i]);
        CheckValue[size_t(CheckIndex)] ^= buffer[i];
        CheckIndex = (CheckIndex + 1) % 16;
    }
}

TDigest TEncryptionManager::HashBuffer(const uint8_t* data, int32_t length)
{
    const TSlot saved = A;
    std::copy(std::begin(kDigestStartKey), std::end(kDigestStartKey), A.Key.begin());
    A.X1a2 = A.Si = 0;
    TDigest out{};
    size_t j = 0;
    auto step = [&](uint8_t folded) {
        out[j] = static_cast<uint8_t>(out[j] ^ KeystreamByte(A, out[j]));
        j = (j + 1) % 16;
        for (uint8_t& k : A.Key)
            k ^= folded;
    };
    for (int32_t i = 0; i < length; ++i)
        step(data[i]);
    for (int i = 0; i < kHashSteps; ++i)
        step(out[j]);
    A = saved;
    return out;
}

void TEncryptionManager::LoadKeys(const uint8_t* keyA, const uint8_t* keyB)
{
    std::copy(keyA, keyA + 16, A.Key.begin());
    std::copy(keyB, keyB + 16, B.Key.begin());
    A.X1a2 = A.Si = B.X1a2 = B.Si = 0;
}

void TEncryptionManager::ResetKeys(const uint8_t* key16)
{
    const TDigest h = HashBuffer(key16, 16);
    LoadKeys(h.data(), h.data());
}

TDigest TEncryptionManager::PasswordKey(const std::string& password)
{
    TDigest p =
        HashBuffer(reinterpret_cast<const uint8_t*>(password.data()), static_cast<int32_t>(password.size()));
    for (int pass = 0; pass < kPasswordPasses; ++pass)
        p = HashBuffer(p.data(), 16);
    return p;
}

void TEncryptionManager::CreateHeader(uint8_t* header, const std::string& password, bool twoKeys)
{
    std::memcpy(header, kSignature, kSignatureSize);
    const TDigest first = HashBuffer(Pool.data(), 16);
    const TDigest second = twoKeys ? HashBuffer(Pool.data() + 16, 16) : first;
    std::copy(first.begin(), first.end(), header + 10);
    std::copy(second.begin(), second.end(), header + 26);
    const TDigest p = PasswordKey(password);
    LoadKeys(p.data(), p.data());
    EncryptBuffer(header + 10, 16);
    EncryptBuffer(header + 26, 16);
    LoadKeys(first.data(), second.data());
    CheckValue.fill(0);
    CheckIndex = 0;
}

void TEncryptionManager::OpenHeader(uint8_t* header, const std::string& password)
{
    const TDigest p = PasswordKey(password);
    LoadKeys(p.data(), p.data());
    DecryptBuffer(header + 10, 16);
    DecryptBuffer(header + 26, 16);
    LoadKeys(header + 10, header + 26);
    CheckValue.fill(0);
    CheckIndex = 0;
}

std::array<uint8_t, 16> TEncryptionManager::MakeStartupKey()
{
    // The date and time as days since 30 December 1899, then the milliseconds of the system's clock.
    using namespace std::chrono;
    const double days = duration<double>(system_clock::now().time_since_epoch()).count() / 86400.0 + 25569.0;
    const uint64_t ticks =
        static_cast<uint64_t>(duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
    std::array<uint8_t, 16> key{};
    std::memcpy(key.data(), &days, 8);
    for (int i = 0; i < 8; ++i)
        key[size_t(8 + i)] = static_cast<uint8_t>(ticks >> (8 * i));
    return key;
}

void TEncryptionManager::EncryptString(std::string& text)
{
    ResetKeys(StartupKey.data());
    EncryptBuffer(reinterpret_cast<uint8_t*>(text.data()), static_cast<int32_t>(text.size()));
}

void TEncryptionManager::DecryptString(std::string& text)
{
    ResetKeys(StartupKey.data());
    DecryptBuffer(reinterpret_cast<uint8_t*>(text.data()), static_cast<int32_t>(text.size()));
}

TEncryptionManager& GetEncryptionManager()
{
    static TEncryptionManager manager;
    return manager;
}

bool CheckEncryptedFile(TStream& file, int64_t size, const std::string& fileName, const std::string& password,
                        const TReadRetry& retry)
{
    if (size < kEncryptedHeaderSize + kEncryptedTrailerSize)
        return false;
    const std::string message = "Erreur lors de la lecture du fichier \"" + fileName + "\".";
    // Reads Count bytes at Offset, asking again after a failure; false when the reading is given up.
    auto readAt = [&](int64_t offset, uint8_t* into, int32_t count) {
        for (;;) {
            try {
                file.Seek(offset, soBeginning);
                if (file.Read(into, count) == count)
                    return true;
            } catch (const EAbort&) {
                return false;
            } catch (const Exception&) {}
            if (!retry || !retry(message))
                return false;
        }
    };
    TEncryptionManager& cipher = GetEncryptionManager();
    // The main window's progress bar follows the check, and ends filled when it passed.
    struct TProgress {
        bool Passed = false;
        TProgress(int64_t total, const std::string& name)
        {
            DocumentHost().BeginProgress(total, "Contrôle du CRC ...", name);
        }
        ~TProgress() { DocumentHost().EndProgress(Passed); }
    } progress(size, fileName);
    uint8_t trailer[kEncryptedTrailerSize];
    if (!readAt(size - kEncryptedTrailerSize, trailer, kEncryptedTrailerSize))
        return false;
    const int64_t length = size - kEncryptedTrailerSize;
    std::vector<uint8_t> chunk(static_cast<size_t>(kCheckChunk));
    for (int64_t offset = 0; offset < length;) {
        const int32_t count = static_cast<int32_t>(std::min<int64_t>(kCheckChunk, length - offset));
        if (!readAt(offset, chunk.data(), count))
            return false;
        if (offset == 0) {
            cipher.OpenHeader(chunk.data(), password);
            cipher.DecryptBuffer(chunk.data() + kEncryptedHeaderSize, count - kEncryptedHeaderSize);
        } else {
            cipher.DecryptBuffer(chunk.data(), count);
        }
        offset += count;
        DocumentHost().StepProgress(offset);
    }
    const TDigest saved = cipher.CheckValue;
    cipher.DecryptBuffer(trailer, kEncryptedTrailerSize);
    const TDigest digest = cipher.HashBuffer(saved.data(), 16);
    cipher.CheckValue = digest;
    progress.Passed = std::equal(digest.begin(), digest.end(), trailer);
    return progress.Passed;
}
