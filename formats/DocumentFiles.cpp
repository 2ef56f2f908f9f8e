// Loading and saving a document with the file it keeps, the way it was opened and its password.
#include "formats/DocumentFiles.h"

#include <utility>

#include "document/Document.h"
#include "document/DocumentHost.h"
#include "formats/Encryption.h"
#include "formats/load/DocumentLoad.h"
#include "formats/save/DocumentSave.h"

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

bool OpenDocumentFile(TDocument& document, TDocOpeningOptions& options)
{
    TLoadedDocument loaded;
    loaded.Password = document.Password;
    // The password the user types is handed over enciphered in memory; the load takes it in clear.
    const TAskPassword askPassword = [](std::string& password) {
        if (!DocumentHost().AskPassword(false, password))
            return false;
        GetEncryptionManager().DecryptString(password);
        return true;
    };
    if (!LoadDocumentFromFile(document, options, loaded, AskThroughMessages, askPassword))
        return false;
    document.FileStream = std::move(loaded.File);
    document.OpenedReadOnly = loaded.ReadOnly;
    document.OpenedFromCopy = loaded.FromCopy;
    document.Password = std::move(loaded.Password);
    return true;
}

uint8_t SaveDocumentFile(TDocument& document, const TDocSavingOptions& options)
{
    TKeptFile kept(document);
    return SaveDocument(document, options, kept.Loaded);
}
