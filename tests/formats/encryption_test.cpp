// The cipher of encrypted documents and the check of a whole encrypted file.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Streams.h"
#include "classlib/windowing/DialogTypes.h"
#include "document/Document.h"
#include "core/Codings.h"
#include "formats/DocumentDump.h"
#include "formats/Encryption.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "tests/common/test_support.h"
#include "tests/formats/progress_host.h"

namespace {

using TBytes = std::vector<uint8_t>;

// A file key of the bytes First, First + 1, ...
TDigest Key(int first)
{
    TDigest key;
    for (int i = 0; i < 16; ++i)
        key[size_t(i)] = static_cast<uint8_t>(first + i);
    return key;
}

TBytes Text(size_t size)
{
    TBytes text(size);
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<uint8_t>("{\\rtf1 Bonjour é}"[i % 17]);
    return text;
}

// An encrypted file as the writer makes it: header, the text enciphered, the enciphered digest of the
// check value.
TBytes EncryptedFile(const TBytes& text, const std::string& password, const TDigest& key1 = Key(0),
                     const TDigest& key2 = Key(16))
{
    TCipherContext cipher;
    TBytes file(kEncryptedHeaderSize);
    cipher.CreateHeader(file.data(), password, key1, key2);
    TBytes body = text;
    cipher.EncryptBuffer(body.data(), static_cast<int32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    const TDigest trailer = cipher.Trailer();
    file.insert(file.end(), trailer.begin(), trailer.end());
    return file;
}

TBytes FromHex(const std::string& hex)
{
    TBytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    return out;
}

bool Check(const TBytes& file, const std::string& password)
{
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    return CheckEncryptedFile(stream, static_cast<int64_t>(file.size()), "f.cod", password);
}

} // namespace

// Known answers, computed from the published steps by an implementation of their own (not this one).
TEST(Encryption, KnownDigestsAndFiles)
{
    TCipherContext cipher;
    const struct {
        std::string data, digest;
    } digests[] = {{"", "f4325851eff82c1da13672ab63a5fdf3"},
                   {"abc", "65510ec3efb2f91da2eab67de5d807b7"},
                   {std::string("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0a\x0b\x0c\x0d\x0e\x0f", 16),
                    "c4e34ae5a3a2f4861d95600009df8f0f"}};
    for (const auto& d : digests) {
        const TDigest h = cipher.HashBuffer(reinterpret_cast<const uint8_t*>(d.data.data()),
                                            static_cast<int32_t>(d.data.size()));
        EXPECT_EQ(TBytes(h.begin(), h.end()), FromHex(d.digest)) << d.data;
    }
    const struct {
        std::string password, text;
        TDigest key1, key2;
        std::string file;
    } files[] = {
        {"motdepasse", "{\\rtf1 Bonjour}", Key(0), Key(16),
         "3938374420547463616400f490eaf6858f8bee643ab6dad75268a75705da57bc0fe463f0c8c3c1abb8ef9df7b3f75e95"
         "2988a886f22dfbebe881e2720de0aad1440351e6403cc532d4"},
        // One file key in both slots, an empty password.
        {"", "A", Key(0), Key(0),
         "3938374420547463616400dcb71192a8258aef27f4b1ebc38bb6078f6b216863ff13991d6aca6111f55241e547bc280e"
         "1062a9a134bc6e425b3809"},
        // Accented password, keys of zeros and of 255, no text at all.
        {"Caf\xe9 cr\xe8me", "", TDigest{},
         [] {
             TDigest k;
             k.fill(255);
             return k;
         }(),
         "3938374420547463616400fb8d6251f1b48579a94c6c1a5f134b784179bbc8a12ac27924b91bd630fb600a460a8501b0"
         "84aa3fe741d07d365983"},
    };
    for (const auto& f : files)
        EXPECT_EQ(EncryptedFile(TBytes(f.text.begin(), f.text.end()), f.password, f.key1, f.key2),
                  FromHex(f.file))
            << f.password;
}

TEST(Encryption, PiecesOfAnySizeGiveTheSameBytesAndDecipheringRestoresThem)
{
    const TBytes text = Text(1000);
    TCipherContext whole, pieces;
    uint8_t header1[kEncryptedHeaderSize], header2[kEncryptedHeaderSize];
    whole.CreateHeader(header1, "secret", Key(3), Key(40));
    pieces.CreateHeader(header2, "secret", Key(3), Key(40));
    ASSERT_EQ(TBytes(header1, header1 + 42), TBytes(header2, header2 + 42));

    TBytes a = text, b = text;
    whole.EncryptBuffer(a.data(), 1000);
    int32_t at = 0;
    for (int32_t size : {1, 0, 15, 16, 17, 300, 651}) {
        pieces.EncryptBuffer(b.data() + at, size);
        // A digest between two pieces leaves the file's cipher as it was.
        pieces.HashBuffer(b.data(), 5);
        at += size;
    }
    ASSERT_EQ(at, 1000);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, text);
    EXPECT_EQ(whole.CheckValue, pieces.CheckValue);

    TCipherContext reader;
    reader.OpenHeader(header1, "secret");
    reader.DecryptBuffer(a.data(), 400);
    reader.DecryptBuffer(a.data() + 400, 600);
    EXPECT_EQ(a, text);
    EXPECT_EQ(reader.CheckValue, whole.CheckValue);
}

TEST(Encryption, FreshKeysForEveryFileAndPasswordsInMemory)
{
    TEncryptionManager keeper;
    TDigest a1, a2, b1, b2;
    keeper.NewFileKeys(true, a1, a2);
    keeper.NewFileKeys(true, b1, b2);
    EXPECT_NE(a1, b1);
    EXPECT_NE(a1, a2);
    keeper.NewFileKeys(false, a1, a2);
    EXPECT_EQ(a1, a2);
    // The pool index wraps from 31 to 0: stirring never stops working.
    for (int i = 0; i < 70; ++i)
        keeper.AddEntropy(i * 7);
    keeper.NewFileKeys(true, b1, b2);
    EXPECT_NE(a1, b1);
    // One file key for both slots: the enciphered blocks still differ, since the state runs on.
    TCipherContext cipher;
    uint8_t header[kEncryptedHeaderSize];
    cipher.CreateHeader(header, "", a1, a1);
    EXPECT_NE(TBytes(header + 10, header + 26), TBytes(header + 26, header + 42));
    // Passwords kept in memory are enciphered, and only this run reads them back.
    std::string password = "sesame";
    keeper.EncryptString(password);
    EXPECT_NE(password, "sesame");
    std::string other = password;
    TEncryptionManager().DecryptString(other);
    EXPECT_NE(other, "sesame");
    keeper.DecryptString(password);
    EXPECT_EQ(password, "sesame");
}

TEST(Encryption, WholeFileCheck)
{
    const TBytes text = Text(40000); // several chunks of the check
    const TBytes file = EncryptedFile(text, "mot de passe");
    EXPECT_TRUE(Check(file, "mot de passe"));
    EXPECT_FALSE(Check(file, "Mot de passe"));
    EXPECT_FALSE(Check(file, ""));
    // Any byte of the keys, the text or the trailer (the signature is the format test's, not the check's).
    for (size_t at : {size_t(20), size_t(30), size_t(42), size_t(20000), file.size() - 1}) {
        TBytes damaged = file;
        damaged[at] ^= 0x10;
        EXPECT_FALSE(Check(damaged, "mot de passe")) << at;
    }
    EXPECT_FALSE(Check(TBytes(file.begin(), file.end() - 1), "mot de passe"));
    EXPECT_FALSE(Check(TBytes(file.begin(), file.begin() + 57), "mot de passe"));
    // The shortest file: a header, one byte of text and the trailer.
    EXPECT_TRUE(Check(EncryptedFile(Text(1), "x"), "x"));
}

TEST(Encryption, EncryptedDocumentOpensWithItsPassword)
{
    const std::string rtf = "{\\rtf1 Bonjour {\\b crypt\xe9}}";
    const TBytes file = EncryptedFile(TBytes(rtf.begin(), rtf.end()), "sesame");
    const std::string path = qptest::ScratchDir() + "/secret.cod";
    {
        TFileStream out(path, fmCreate);
        out.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    }
    struct {
        const char* name;
        std::vector<std::string> typed; // what the user types in turn; past the end: cancelled
        int answer;                     // to the question after a wrong password
        bool ok;
        size_t questions;
    } cases[] = {
        {"right password", {"sesame"}, mrYes, true, 0},
        {"wrong, then right", {"Sesame", "sesame"}, mrYes, true, 1},
        {"wrong, then no more tries", {"Sesame", "sesame"}, mrNo, false, 1},
        {"cancelled", {}, mrYes, false, 0},
    };
    TProgressHost host;
    SetDocumentHost(&host);
    for (auto& c : cases) {
        host.Events.clear();
        TDocument doc;
        TDocOpeningOptions options;
        options.FileName = path;
        options.Coding = 7;
        TLoadedDocument loaded;
        std::vector<std::string> asked;
        size_t next = 0;
        bool ok = LoadDocumentFromFile(
            doc, options, loaded,
            [&](const std::string& text, uint8_t, uint16_t, uint8_t) {
                asked.push_back(text);
                return c.answer;
            },
            [&](std::string& password) {
                if (next >= c.typed.size())
                    return false;
                password = c.typed[next++];
                return true;
            });
        EXPECT_EQ(ok, c.ok) << c.name;
        EXPECT_EQ(asked.size(), c.questions) << c.name;
        // Each check of the file has a progress bar of its own; loading then starts again.
        const std::string size = std::to_string(file.size()),
                          load = "begin " + size + " Chargement du document \"%s\" ... " + path;
        const std::string check = "begin " + size + " Contrôle du CRC ... " + path;
        if (std::string(c.name) == "wrong, then right") {
            EXPECT_EQ(host.Events, (std::vector<std::string>{load, check, "end", load, check, "end filled",
                                                             load, "end filled"}));
        }
        if (!c.ok) {
            EXPECT_EQ(options.Coding, -1) << c.name;
            continue;
        }
        EXPECT_EQ(options.Coding, cdEncrypted) << c.name;
        EXPECT_EQ(DumpDocument(doc), "P0: Bonjour <b=1>crypt\\'e9<b=0><par>\n") << c.name;
        // The password is kept enciphered for saving.
        std::string password = loaded.Password;
        EXPECT_NE(password, "sesame");
        GetEncryptionManager().DecryptString(password);
        EXPECT_EQ(password, "sesame") << c.name;
    }
    SetDocumentHost(nullptr);
    // A known password opens the file without asking.
    TDocument doc;
    TDocOpeningOptions options;
    options.FileName = path;
    TLoadedDocument loaded;
    loaded.Password = "sesame";
    GetEncryptionManager().EncryptString(loaded.Password);
    auto noQuestion = [](const std::string& text, uint8_t, uint16_t, uint8_t) {
        ADD_FAILURE() << text;
        return int(mrCancel);
    };
    EXPECT_TRUE(LoadDocumentFromFile(doc, options, loaded, noQuestion, nullptr));
}

TEST(Encryption, SavedDocumentOpensWithItsPasswordAndNewKeysEachTime)
{
    struct THost : TProgressHost {
        bool AskPassword(bool forSaving, std::string& password) override
        {
            Asked.push_back(forSaving);
            if (Typed.empty())
                return false;
            password = Typed;
            GetEncryptionManager().EncryptString(password);
            return true;
        }
        std::string Typed;
        std::vector<bool> Asked;
    } host;
    SetDocumentHost(&host);
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}Bonjour {\\b crypt\\'e9}}";
    TDocument doc;
    TDocOpeningOptions source;
    source.SourceKind = 1;
    source.MemoryBlock = rtf.data();
    source.MemorySize = int64_t(rtf.size());
    TLoadedDocument none;
    ASSERT_TRUE(LoadDocumentFromFile(doc, source, none));
    const std::string path = qptest::ScratchDir() + "/enregistre.cod";
    auto quiet = [](const std::string& text, uint8_t, uint16_t, uint8_t) {
        ADD_FAILURE() << text;
        return int(mrCancel);
    };
    // No password given: nothing is written and nothing said.
    TLoadedDocument loaded;
    EXPECT_EQ(SaveDocumentToFile(doc, path, cdEncrypted, loaded, quiet), kSaveFailed);
    EXPECT_FALSE(FileExists(path));
    host.Typed = "sesame";
    ASSERT_EQ(SaveDocumentToFile(doc, path, cdEncrypted, loaded, quiet), kSaveWritten);
    const std::string first = qptest::ReadFileBytes(path);
    // The password's key is made under the main window's progress bar, to its end.
    const auto begun = std::find(host.Events.begin(), host.Events.end(), "begin 2048 Cryptage en cours ... ");
    ASSERT_NE(begun, host.Events.end());
    ASSERT_NE(begun + 1, host.Events.end());
    EXPECT_EQ(begun[1], "end filled");
    EXPECT_NE(std::find(host.Steps.begin(), host.Steps.end(), 2048), host.Steps.end());
    ASSERT_EQ(SaveDocumentToFile(doc, path, cdEncrypted, loaded, quiet), kSaveWritten);
    const std::string second = qptest::ReadFileBytes(path);
    EXPECT_EQ(host.Asked, (std::vector<bool>{true, true})) << "the password is asked once";
    EXPECT_EQ(first.substr(0, 10), "987D Ttcad");
    EXPECT_NE(first.substr(10, 32), second.substr(10, 32)) << "each save has file keys of its own";
    EXPECT_EQ(first.find("Bonjour"), std::string::npos);
    loaded.File.reset();
    SetDocumentHost(nullptr);

    TDocument reread;
    TDocOpeningOptions options;
    options.FileName = path;
    TLoadedDocument back;
    ASSERT_TRUE(LoadDocumentFromFile(reread, options, back, quiet, [](std::string& password) {
        password = "sesame";
        return true;
    }));
    EXPECT_EQ(options.Coding, cdEncrypted);
    EXPECT_EQ(DumpDocument(reread), DumpDocument(doc));
}
