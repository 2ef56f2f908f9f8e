// The password step of an encrypted document and the deciphering of its input.
#include "formats/load/EncryptedLoad.h"

#include <memory>

#include "classlib/runtime/Exceptions.h"
#include "core/Messages.h"
#include "document/DocumentHost.h"
#include "formats/Encryption.h"
#include "formats/load/LoadInput.h"

bool ObtainDocumentPassword(TStream& file, int64_t size, const std::string& fileName, std::string& password,
                            const TAskUser& ask, const TAskPassword& askPassword)
{
    const TEncryptionManager& keeper = GetEncryptionManager();
    const TReadRetry retry = [&ask](const std::string& message) {
        return ask(message, mtError, MsgDlgButton(mbRetry) | MsgDlgButton(mbCancel), NoOptionalMessage) ==
               mrRetry;
    };
    for (;;) {
        bool typed = false;
        if (password.empty()) {
            std::string answer;
            if (!askPassword || !askPassword(answer))
                return false;
            keeper.EncryptString(answer);
            password = answer;
            WipeString(answer);
            typed = true;
        }
        std::string plain = password;
        keeper.DecryptString(plain);
        const bool passed = CheckEncryptedFile(file, size, fileName, plain, retry);
        WipeString(plain);
        DocumentHost().BeginProgress(size, "Chargement du document \"%s\" ...", fileName);
        if (passed)
            return true;
        if (typed &&
            ask("Mot de passe incorrect. Voulez-vous essayer d'ouvrir ce document crypté avec un autre mot "
                "de passe ?",
                mtConfirmation, MsgDlgButton(mbYes) | MsgDlgButton(mbNo), NoOptionalMessage) != mrYes) {
            password.clear();
            return false;
        }
        password.clear();
    }
}

void DecipherInput(TLoadInput& input, const std::string& password)
{
    // The load's own cipher, kept by the input for as long as it reads.
    auto cipher = std::make_shared<TCipherContext>();
    uint8_t header[kEncryptedHeaderSize];
    if (!input.ReadAt(0, header, kEncryptedHeaderSize))
        Abort();
    std::string plain = password;
    GetEncryptionManager().DecryptString(plain);
    cipher->OpenHeader(header, plain);
    WipeString(plain);
    input.Restart();
    input.Size -= kEncryptedTrailerSize;
    input.ConvertChunk = [cipher](uint8_t* bytes, int32_t count, int64_t offset) {
        // The header of the first chunk stays as it is: reading starts behind it.
        const int32_t skip =
            offset < kEncryptedHeaderSize ? static_cast<int32_t>(kEncryptedHeaderSize - offset) : 0;
        if (count > skip)
            cipher->DecryptBuffer(bytes + skip, count - skip);
    };
    input.ReadFileChunk();
    input.Pos = kEncryptedHeaderSize;
}
