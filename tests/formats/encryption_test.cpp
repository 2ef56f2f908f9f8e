// The cipher of encrypted documents and the check of a whole encrypted file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Streams.h"
#include "classlib/windowing/DialogTypes.h"
#include "document/Document.h"
#include "core/Codings.h"
#include "formats/DocumentDump.h"
#include "formats/Encryption.h"
#include "formats/load/DocumentLoad.h"
#include "tests/common/test_support.h"
#include "tests/formats/progress_host.h"

namespace {

using TBytes = std::vector<uint8_t>;

TBytes Text(size_t size)
{
    TBytes text(size);
    for (size_t i = 0; i < size; ++i)
        text[i] = static_cast<uint8_t>("{\\rtf1 Bonjour é}"[i % 17]);
    return text;
}

// An encrypted file as the writer makes it: header, the text enciphered, the enciphered digest of the
// check value.
TBytes EncryptedFile(const TBytes& text, const std::string& password)
{
    TEncryptionManager cipher;
    TBytes file(kEncryptedHeaderSize);
    cipher.CreateHeader(file.data(), password, true);
    TBytes body = text;
    cipher.EncryptBuffer(body.data(), static_cast<int32_t>(body.size()));
    file.insert(file.end(), body.begin(), body.end());
    TDigest trailer = cipher.HashBuffer(cipher.CheckValue.data(), 16);
    cipher.EncryptBuffer(trailer.data(), 16);
    file.insert(file.end(), trailer.begin(), trailer.end());
    return file;
}

bool Check(const TBytes& file, const std::string& password)
{
    TMemoryStream stream;
    stream.WriteBuffer(file.data(), static_cast<int32_t>(file.size()));
    return CheckEncryptedFile(stream, static_cast<int64_t>(file.size()), "f.cod", password);
}

} // namespace

TEST(Encryption, PiecesOfAnySizeGiveTheSameBytesAndDecipheringRestoresThem)
{
    const TBytes text = Text(1000);
    TEncryptionManager whole, pieces;
    uint8_t header1[kEncryptedHeaderSize], header2[kEncryptedHeaderSize];
    whole.CreateHeader(header1, "secret", true);
    pieces.CreateHeader(header2, "secret", true);
    ASSERT_EQ(TBytes(header1, header1 + 42), TBytes(header2, header2 + 42));
    EXPECT_EQ(std::string(header1, header1 + 10), "987D Ttcad");

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

    TEncryptionManager reader;
    reader.OpenHeader(header1, "secret");
    reader.DecryptBuffer(a.data(), 400);
    reader.DecryptBuffer(a.data() + 400, 600);
    EXPECT_EQ(a, text);
    EXPECT_EQ(reader.CheckValue, whole.CheckValue);
}

TEST(Encryption, HeaderKeysAndPasswords)
{
    // One file key for both slots: equal blocks before enciphering, different ones after, since the
    // state runs on from the first block into the second.
    TEncryptionManager cipher;
    uint8_t header[kEncryptedHeaderSize];
    cipher.CreateHeader(header, "", false);
    EXPECT_NE(TBytes(header + 10, header + 26), TBytes(header + 26, header + 42));
    TEncryptionManager opened;
    opened.OpenHeader(header, "");
    EXPECT_EQ(TBytes(header + 10, header + 26), TBytes(header + 26, header + 42));
    // The digest depends on every byte, and of an empty input is still a digest.
    TEncryptionManager hasher;
    const uint8_t one = 1, two = 2;
    EXPECT_NE(hasher.HashBuffer(&one, 1), hasher.HashBuffer(&two, 1));
    EXPECT_NE(hasher.HashBuffer(nullptr, 0), TDigest{});
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
