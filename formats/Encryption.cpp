// The cipher of encrypted documents, the keeper of file keys and in-memory passwords, and the whole-file
// check of an encrypted file.
#include "formats/Encryption.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Streams.h"
#include "core/SystemRandom.h"
#include "document/DocumentHost.h"

namespace {

constexpr char kSignature[] = "987D Ttcad";
constexpr int kSignatureSize = 10;
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

uint8_t TCipherContext::KeystreamByte(TSlot& slot, uint8_t c)
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

uint8_t TCipherContext::EncipherByte(TSlot& slot, uint8_t c)
{
    const uint8_t out = KeystreamByte(slot, c);
    for (uint8_t& k : slot.Key)
        k ^= c;
    return out;
}

uint8_t TCipherContext::DecipherByte(TSlot& slot, uint8_t c)
{
    const uint8_t plain = KeystreamByte(slot, c);
    for (uint8_t& k : slot.Key)
        k ^= plain;
    return plain;
}

void TCipherContext::EncryptBuffer(uint8_t* buffer, int32_t length)
{
    for (int32_t i = 0; i < length; ++i) {
        CheckValue[size_t(CheckIndex)] ^= buffer[i];
        CheckIndex = (CheckIndex + 1) % 16;
        buffer[i] = EncipherByte(A, buffer[i]);
    }
    for (int32_t i = 0; i < length; ++i)
        buffer[i] = EncipherByte(B, buffer[i]);
}

void TCipherContext::DecryptBuffer(uint8_t* buffer, int32_t length)
{
    for (int32_t i = 0; i < length; ++i)
        buffer[i] = DecipherByte(B, buffer[i]);
    for (int32_t i = 0; i < length; ++i) {
        buffer[i] = DecipherByte(A, buffer[i]);
        CheckValue[size_t(CheckIndex)] ^= buffer[i];
        CheckIndex = (CheckIndex + 1) % 16;
    }
}

TDigest TCipherContext::HashBuffer(const uint8_t* data, int32_t length)
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

void TCipherContext::LoadKeys(const uint8_t* keyA, const uint8_t* keyB)
{
    std::copy(keyA, keyA + 16, A.Key.begin());
    std::copy(keyB, keyB + 16, B.Key.begin());
    A.X1a2 = A.Si = B.X1a2 = B.Si = 0;
}

void TCipherContext::ResetKeys(const uint8_t* key16)
{
    const TDigest h = HashBuffer(key16, 16);
    LoadKeys(h.data(), h.data());
}

TDigest TCipherContext::PasswordKey(const std::string& password, const std::function<void(int)>& progress)
{
    TDigest p =
        HashBuffer(reinterpret_cast<const uint8_t*>(password.data()), static_cast<int32_t>(password.size()));
    for (int pass = 0; pass < kPasswordKeyPasses; ++pass) {
        p = HashBuffer(p.data(), 16);
        if (progress)
            progress(pass + 1);
    }
    return p;
}

void TCipherContext::CreateHeader(uint8_t* header, const std::string& password, const TDigest& key1,
                                  const TDigest& key2, const std::function<void(int)>& progress)
{
    std::memcpy(header, kSignature, kSignatureSize);
    std::copy(key1.begin(), key1.end(), header + 10);
    std::copy(key2.begin(), key2.end(), header + 26);
    TDigest p = PasswordKey(password, progress);
    LoadKeys(p.data(), p.data());
    p.fill(0);
    EncryptBuffer(header + 10, 16);
    EncryptBuffer(header + 26, 16);
    LoadKeys(key1.data(), key2.data());
    CheckValue.fill(0);
    CheckIndex = 0;
}

void TCipherContext::OpenHeader(uint8_t* header, const std::string& password)
{
    TDigest p = PasswordKey(password, nullptr);
    LoadKeys(p.data(), p.data());
    p.fill(0);
    DecryptBuffer(header + 10, 16);
    DecryptBuffer(header + 26, 16);
    LoadKeys(header + 10, header + 26);
    CheckValue.fill(0);
    CheckIndex = 0;
}

TDigest TCipherContext::Trailer()
{
    TDigest trailer = HashBuffer(CheckValue.data(), 16);
    EncryptBuffer(trailer.data(), 16);
    return trailer;
}

TCipherContext::~TCipherContext()
{
    // The keys of a file do not stay behind in freed memory.
    volatile uint8_t* p = A.Key.data();
    for (size_t i = 0; i < 16; ++i)
        p[i] = 0;
    p = B.Key.data();
    for (size_t i = 0; i < 16; ++i)
        p[i] = 0;
}

TEncryptionManager::TEncryptionManager()
{
    // The date and time as days since 30 December 1899, then bytes of the system's random generator
    // (or of the clock when it gives none): a key no other run has.
    using namespace std::chrono;
    const double days = duration<double>(system_clock::now().time_since_epoch()).count() / 86400.0 + 25569.0;
    std::memcpy(StartupKey.data(), &days, 8);
    if (!SystemRandomBytes(StartupKey.data() + 8, 8)) {
        const uint64_t ticks = static_cast<uint64_t>(
            duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
        for (int i = 0; i < 8; ++i)
            StartupKey[size_t(8 + i)] = static_cast<uint8_t>(ticks >> (8 * i));
    }
}

void TEncryptionManager::AddEntropy(int32_t code)
{
    Pool[size_t(PoolIndex)] ^= static_cast<uint8_t>(TickCount() ^ static_cast<uint32_t>(code));
    PoolIndex = (PoolIndex + 1) % 32;
}

void TEncryptionManager::NewFileKeys(bool twoKeys, TDigest& key1, TDigest& key2)
{
    std::array<uint8_t, 32> seed{};
    if (!SystemRandomBytes(seed.data(), seed.size()))
        throw Exception("Le générateur aléatoire du système ne répond pas : le document n'a pas été crypté.");
    for (size_t i = 0; i < seed.size(); ++i)
        seed[i] ^= Pool[i];
    TCipherContext cipher;
    key1 = cipher.HashBuffer(seed.data(), 16);
    key2 = twoKeys ? cipher.HashBuffer(seed.data() + 16, 16) : key1;
    seed.fill(0);
}

void TEncryptionManager::EncryptString(std::string& text) const
{
    TCipherContext cipher;
    cipher.ResetKeys(StartupKey.data());
    cipher.EncryptBuffer(reinterpret_cast<uint8_t*>(text.data()), static_cast<int32_t>(text.size()));
}

void TEncryptionManager::DecryptString(std::string& text) const
{
    TCipherContext cipher;
    cipher.ResetKeys(StartupKey.data());
    cipher.DecryptBuffer(reinterpret_cast<uint8_t*>(text.data()), static_cast<int32_t>(text.size()));
}

TEncryptionManager& GetEncryptionManager()
{
    static TEncryptionManager manager;
    return manager;
}

void WipeString(std::string& text)
{
    volatile char* p = text.data();
    for (size_t i = 0; i < text.size(); ++i)
        p[i] = 0;
    text.clear();
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
    TCipherContext cipher;
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
