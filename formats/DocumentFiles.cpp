// The document's own loading and saving: the load and save dispatch with the kept file, the way it
// was opened and the password held by the document.
#include <utility>

#include "document/Document.h"
#include "document/DocumentHost.h"
#include "formats/Encryption.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"
#include "formats/save/FormatLosses.h"

namespace {

// Lends the document's kept file to a save, and gives it back however the save ends.
struct TKeptFile {
    TDocument& Document;
    TLoadedDocument Loaded;
    explicit TKeptFile(TDocument& document) : Document(document)
    {
        Loaded.File = std::move(document.FileStream);
    }
    ~TKeptFile() { Document.FileStream = std::move(Loaded.File); }
};

} // namespace

bool TDocument::LoadFromFile(TDocOpeningOptions& options)
{
    TLoadedDocument loaded;
    loaded.Password = Password;
    // The password the user types is handed over enciphered in memory; the load takes it in clear.
    const TAskPassword askPassword = [](std::string& password) {
        if (!DocumentHost().AskPassword(false, password))
            return false;
        GetEncryptionManager().DecryptString(password);
        return true;
    };
    if (!LoadDocumentFromFile(*this, options, loaded, AskThroughMessages, askPassword))
        return false;
    FileStream = std::move(loaded.File);
    OpenedReadOnly = loaded.ReadOnly;
    OpenedFromCopy = loaded.FromCopy;
    Password = std::move(loaded.Password);
    return true;
}

uint8_t TDocument::SaveToFile(const TDocSavingOptions& options)
{
    TKeptFile kept(*this);
    return SaveDocument(*this, options, kept.Loaded);
}

uint8_t TDocument::SaveToNamedFile(const std::string& fileName, int32_t flags)
{
    return SaveDocumentToNamedFile(*this, fileName, flags);
}

bool TDocument::CheckFormatLosses(const TTextRange* range, int coding)
{
    return ::CheckFormatLosses(*this, range, coding);
}
