// The cipher of encrypted documents: a stream cipher run twice with two key slots, the digest made from
// it, the header that carries a file's two keys under its password, the check of a whole encrypted file
// against the value it ends with, and the program's keeper of fresh file keys and in-memory passwords.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TStream;

constexpr int kEncryptedHeaderSize = 42;
constexpr int kEncryptedTrailerSize = 16;
constexpr int kPasswordKeyPasses = 2048; // the passes that make a password's key

using TDigest = std::array<uint8_t, 16>;

// The cipher state of one file being written or read (or of one string): each save, load and check
// has its own, so that nothing else can change it midway.
class TCipherContext {
public:
    ~TCipherContext();
    // Enciphers in place, slot A then slot B; the plain bytes go into the check value.
    void EncryptBuffer(uint8_t* buffer, int32_t length);
    // The exact inverse of EncryptBuffer; the deciphered bytes go into the check value.
    void DecryptBuffer(uint8_t* buffer, int32_t length);
    // The 16-byte digest of the data; slot A is restored, slot B and the check value are untouched.
    TDigest HashBuffer(const uint8_t* data, int32_t length);
    // The digest of the key becomes both slot keys; the running words start again.
    void ResetKeys(const uint8_t* key16);
    // Writes a header (signature, the two clear file keys enciphered under the password) and loads the
    // file keys. Progress, when given, follows the passes that make the password's key.
    void CreateHeader(uint8_t* header42, const std::string& password, const TDigest& key1,
                      const TDigest& key2, const std::function<void(int)>& progress = nullptr);
    // Deciphers the file keys of a header in place under the password and loads them. A wrong
    // password is not seen here: it gives wrong keys, which the check of the file reports.
    void OpenHeader(uint8_t* header42, const std::string& password);
    // The enciphered trailer of a file: the digest of the check value, enciphered as the text's end.
    TDigest Trailer();

    TDigest CheckValue{};

private:
    struct TSlot {
        std::array<uint8_t, 16> Key{};
        uint16_t X1a2 = 0;
        uint16_t Si = 0;
    };
    static uint8_t KeystreamByte(TSlot& slot, uint8_t c);
    static uint8_t EncipherByte(TSlot& slot, uint8_t c);
    static uint8_t DecipherByte(TSlot& slot, uint8_t c);
    TDigest PasswordKey(const std::string& password, const std::function<void(int)>& progress);
    void LoadKeys(const uint8_t* keyA, const uint8_t* keyB);

    TSlot A, B;
    int CheckIndex = 0;
};

// The program's one keeper of randomness and of the start-up key.
class TEncryptionManager {
public:
    TEncryptionManager();
    // Stirs one byte of the random pool with an input event's code.
    void AddEntropy(int32_t code);
    // Two fresh file keys from the system's cryptographic random generator with the pool stirred in;
    // with TwoKeys off, the first serves both slots. Throws when the system gives no random bytes.
    void NewFileKeys(bool twoKeys, TDigest& key1, TDigest& key2);
    // A password as it is kept in memory: enciphered under a key made at start-up, so that it is only
    // readable in the same run.
    void EncryptString(std::string& text) const;
    void DecryptString(std::string& text) const;

private:
    std::array<uint8_t, 32> Pool{};
    int PoolIndex = 0;
    std::array<uint8_t, 16> StartupKey{};
};

// The program's keeper.
TEncryptionManager& GetEncryptionManager();

// Overwrites a string's bytes (a password) before it is let go.
void WipeString(std::string& text);

// Called when a read fails, with the message to show; true asks for the read to be tried again.
using TReadRetry = std::function<bool(const std::string& message)>;

// True when the whole encrypted file (Size bytes from the stream's start) deciphers under the password
// to the check value it ends with. A failed read that is not retried, a wrong password, damaged or cut
// data all give false.
bool CheckEncryptedFile(TStream& file, int64_t size, const std::string& fileName, const std::string& password,
                        const TReadRetry& retry = nullptr);
