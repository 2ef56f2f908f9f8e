// The load and save dispatch.
#include "formats/load/DocumentLoad.h"

#include <algorithm>
#include <cstdint>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Streams.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "core/PathUtils.h"
#include "document/Document.h"
#include "document/DocumentHost.h"
#include "codecs/CodePages.h"
#include "core/Codings.h"
#include "formats/load/EncryptedLoad.h"
#include "formats/load/FileMessages.h"
#include "formats/load/FormatDetection.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/load/StylePasses.h"
#include "formats/load/TextTemplates.h"
#include "formats/text/PlainText.h"
#include "formats/load/WordStorage.h"
#include "formats/word/SystemStorage.h"
#include "formats/word/WordReader.h"
#include "formats/write/WriteReader.h"

using namespace filemsg;

namespace {

// Copies a file that another program holds to a temporary file, reading it with every sharing
// allowed; the name of the copy, or empty.
std::string CopyFileInUse(const std::string& name, const TAskUser& ask)
{
    for (;;) {
        std::string copy = GetTempFileNameOfKind(tfTmp);
        try {
            TFileStream source(name, fmOpenRead);
            TFileStream target(copy, fmCreate);
            target.CopyFrom(source, 0);
            return copy;
        } catch (const EStreamError&) {
            DeleteFile(copy);
        }
        if (ask(Quoted("Erreur lors de la copie du fichier ", name, "."), mkError, btRetry | btCancel,
                mkNoOption) != mrRetry)
            return {};
    }
}

// Opens the file for the load: for reading and writing while others may read it; for reading only
// when writing is refused or the open mode asks so; from a copy when another program holds it.
std::unique_ptr<TStream> OpenFileForReading(const TDocOpeningOptions& options, TLoadedDocument& loaded,
                                            std::string& copyName, const TAskUser& ask)
{
    const std::string& name = options.FileName;
    for (;;) {
        if (!(options.OpenMode & omReadOnly))
            if (auto s = TryOpen(name, fmOpenReadWrite | fmShareDenyWrite))
                return s;
        if (auto s = TryOpen(name, fmOpenRead | fmShareDenyWrite)) {
            loaded.ReadOnly = true;
            return s;
        }
        if (FileExists(name)) {
            // Held by another program.
            if (!options.Quiet && !(options.OpenMode & omCopyInUse) &&
                ask(Quoted("Le fichier ", name,
                           " est en cours d'utilisation par une autre application. Faire une copie ?"),
                    mkConfirmation, btYes | btCancel, 0) != mrYes)
                return nullptr;
            copyName = CopyFileInUse(name, ask);
            if (copyName.empty())
                return nullptr;
            if (auto s = TryOpen(copyName, fmOpenReadWrite | fmShareDenyWrite)) {
                loaded.FromCopy = true;
                return s;
            }
            DeleteFile(copyName);
            copyName.clear();
        }
        if (ask(Quoted("Impossible d'ouvrir le fichier ", name, "."), mkError, btRetry | btCancel,
                mkNoOption) != mrRetry)
            return nullptr;
    }
}

// The main window's progress bar over a load from a file; ended however the load ends.
struct TLoadProgress {
    bool Active = false;
    bool Filled = false;
    void Begin(int64_t total, const std::string& fileName, TLoadInput& input)
    {
        Active = true;
        DocumentHost().BeginProgress(total, "Chargement du document \"%s\" ...", fileName);
        input.OnProgress = [](int64_t offset) { DocumentHost().StepProgress(offset); };
    }
    ~TLoadProgress()
    {
        if (Active)
            DocumentHost().EndProgress(Filled);
    }
};

// The streams of a Word document read from the load's input by the program's bounded reader.
class TInputStreamSource : public TWordStreamSource {
public:
    explicit TInputStreamSource(TLoadInput& input) : Input(input) {}
    bool ReadStream(const char* name, std::vector<uint8_t>& bytes) override
    {
        TReadAt read = [this](int64_t offset, uint8_t* into, int32_t count) {
            return Input.ReadAt(offset, into, count);
        };
        return ReadCompoundStream(read, Input.Size, name, bytes);
    }

private:
    TLoadInput& Input;
};

// The whole data of the input; the silent abort when they cannot be read.
std::vector<uint8_t> ReadWholeInput(TLoadInput& input)
{
    if (input.Size < 0 || input.Size > INT32_MAX)
        Abort();
    std::vector<uint8_t> bytes(static_cast<size_t>(input.Size));
    if (!bytes.empty() && !input.ReadAt(0, bytes.data(), static_cast<int32_t>(bytes.size())))
        Abort();
    return bytes;
}

} // namespace

int AskThroughMessages(const std::string& text, uint8_t kind, uint16_t buttons, uint8_t optional)
{
    return optional == mkNoOption ? MessageDlgEx(text, kind, buttons)
                                  : MessageDlgWithOption(text, kind, buttons, optional);
}

bool LoadDocumentFromFile(TDocument& document, TDocOpeningOptions& options, TLoadedDocument& loaded,
                          const TAskUser& ask, const TAskPassword& askPassword)
{
    const bool fromFile = options.SourceKind == 0;
    std::string copyName;
    std::unique_ptr<TStream> file;
    std::unique_ptr<TLoadInput> input;
    TLoadProgress progress;
    auto giveUp = [&] {
        file.reset();
        if (!copyName.empty())
            DeleteFile(copyName);
        options.Coding = -1;
        return false;
    };
    if (fromFile) {
        file = OpenFileForReading(options, loaded, copyName, ask);
        if (!file)
            return giveUp();
        loaded.FileSize = file->GetSize();
        input = std::make_unique<TLoadInput>(*file, loaded.FileSize, options.FileName);
        input->OnReadError = [&ask](const std::string& message) -> bool {
            return ask(message, mkError, btRetry | btCancel, mkNoOption) == mrRetry;
        };
        progress.Begin(loaded.FileSize, options.FileName, *input);
    } else {
        input = std::make_unique<TLoadInput>(options.MemoryBlock, options.MemorySize);
    }
    try {
        int coding = options.Coding;
        if (coding >= cdCodingCount || coding < 0) {
            coding = DetectFileFormat(*input);
        } else if (!IsFileOfFormat(coding, *input)) {
            if (fromFile && options.Quiet)
                return giveUp();
            if (fromFile &&
                ask(Quoted("Le fichier ", options.FileName, " n'est pas un fichier valide de format ") +
                        "\"" + std::string(TCodingManager::GetCodingIdentifier(coding)) +
                        "\". Voulez-vous qu'Quillpad essaie de détecter le format réel de ce fichier ?",
                    mkConfirmation, btYes | btNo, mkNoOption) != mrYes)
                return giveUp();
            coding = DetectFileFormat(*input);
        }
        options.Coding = coding;
        document.Coding = coding;
        if (coding == cdDosText) {
            input->Restart();
            input->ConvertChunk = [](uint8_t* bytes, int32_t count, int64_t) {
                OemToAnsiBuffer(bytes, count);
            };
        }
        if (coding == cdEncrypted) {
            TMemoryStream memory;
            if (!fromFile)
                memory.WriteBuffer(options.MemoryBlock,
                                   static_cast<int32_t>(std::min<int64_t>(input->Size, INT32_MAX)));
            TStream& source = fromFile ? *file : memory;
            if (!ObtainDocumentPassword(source, input->Size, options.FileName, loaded.Password, ask,
                                        askPassword))
                return giveUp();
            DecipherInput(*input, loaded.Password);
        }
        options.ReaderCounter = 0;
        if (coding == cdRtf || coding == cdEncrypted) {
            TRtfReadResult result = ReadRtfDocument(document, *input);
            loaded.StyleSheetRead = result.StyleSheetRead;
            loaded.TextLength = result.TextLength;
            if (!result.Error.empty())
                throw Exception(result.Error);
        } else if (coding == cdWord6 || coding == cdWord97) {
            // The system's structured storage serves files; the program's own reader serves memory
            // blocks, and files where the system has none or cannot open them.
            std::unique_ptr<TWordStreamSource> system;
            if (fromFile)
                system = OpenSystemWordStorage(copyName.empty() ? options.FileName : copyName);
            TInputStreamSource bounded(*input);
            TWordProgress progress;
            if (fromFile)
                progress = [size = loaded.FileSize](double done) {
                    DocumentHost().StepProgress(static_cast<int64_t>(done * double(size)));
                };
            TWordReadResult result = ReadWordDocument(document, system ? *system : bounded, progress);
            if (result.Encrypted) {
                if (fromFile && !options.Quiet)
                    ask(Quoted(
                            "Le document ", options.FileName,
                            " est un document MS Word crypté. Désolé, mais ces fichiers MS Word cryptés ne "
                            "peuvent pas être ouverts par Quillpad."),
                        mkInformation, btOK, mkNoOption);
                return giveUp();
            }
            if (!result.Read)
                throw Exception(result.Error);
            options.Coding = document.Coding;
            loaded.StyleSheetRead = true;
            loaded.TextLength = result.TextLength;
        } else if (coding == cdWrite) {
            const std::vector<uint8_t> bytes = ReadWholeInput(*input);
            TWriteReadResult result = ReadWriteDocument(document, bytes.data(), bytes.size());
            if (!result.Read)
                throw Exception(result.Error);
            loaded.TextLength = result.TextLength;
        } else {
            TPlainTextFormats formats;
            if (fromFile)
                ApplyCodingTemplate(document, coding, options.FileName, formats);
            ReadPlainTextDocument(document, *input, formats, loaded.TextLength);
        }
        document.FinishParagraphs();
        if (loaded.StyleSheetRead)
            ReduceStylesToDifferences(*document.StyleList);
    } catch (const EAbort&) {
        return giveUp();
    } catch (const Exception& e) {
        if (fromFile)
            ask(Quoted("Une erreur s'est produite lors de l'ouverture du document ", options.FileName,
                       ".||") +
                    e.Message,
                mkError, btOK, mkNoOption);
        return giveUp();
    }
    input.reset();
    if (fromFile) {
        document.FileName = options.FileName;
        // A file that does not say when it was created was created when the file was.
        if (document.Info.CreationDate == 0)
            document.Info.CreationDate = GetFileCreationTime(options.FileName);
    }
    // A copy, a read-only file and a file on a removable disk are not kept open.
    if (loaded.FromCopy || loaded.ReadOnly || (fromFile && IsRemovableDrive(options.FileName))) {
        file.reset();
        if (!copyName.empty())
            DeleteFile(copyName);
        if (loaded.FromCopy)
            loaded.FileSize = 0;
    } else {
        loaded.File = std::move(file);
    }
    if (fromFile)
        document.Info.FileSize = loaded.FileSize;
    progress.Filled = true;
    return true;
}
