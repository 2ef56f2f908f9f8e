// The document formats (codings) of the program: their identifiers, extensions, dialog filters, which
// can be saved and which template starts a new document of each; and the classes of file extensions.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

enum TCoding : int32_t {
    cdRtf = 0,
    cdWord6 = 1,
    cdWord97 = 2,
    cdWrite = 3,
    cdEncrypted = 4,
    cdAnsiText = 5,
    cdDosText = 6,
    cdCodingCount = 7,
};

// The index GetPictureFormat gives a name that is not a picture.
constexpr uint8_t kNoPictureFormat = 255;

class TCodingManager {
public:
    TCodingManager();
    ~TCodingManager();
    TCodingManager(const TCodingManager&) = delete;
    TCodingManager& operator=(const TCodingManager&) = delete;

    // The filters of the open and the save dialogs.
    static std::string GetOpenFilter();
    static std::string GetSaveFilter();

    // The name of a coding in files, settings and messages ("RTF", "MS Word 6.0"...), empty for none.
    static std::string_view GetCodingIdentifier(int coding);
    // Its file extension without the dot.
    static std::string_view GetCodingExtension(int coding);
    // The coding whose identifier equals Identifier, or -1.
    static int FindCodingByIdentifier(std::string_view identifier);

    static bool CanSaveCoding(int coding);
    static int CodingToSaveFilterIndex(int coding);
    static int SaveFilterIndexToCoding(int index);
    // The name to save under: a final lone dot removed, a missing extension supplied from the filter.
    static std::string AddDefaultExtension(const std::string& fileName, int saveFilterIndex);

    static bool IsDocumentExt(std::string_view fileName);
    static bool IsKnownExtension(std::string_view extension);
    static bool IsWebOrMediaExt(std::string_view fileName);
    // Index 0 to 12 of the picture format of a file's extension, kNoPictureFormat for any other name.
    static uint8_t GetPictureFormat(std::string_view fileName);

    // Which of the six default-template names (default, Word 6.0/95, Word 97, encrypted, text, DOS
    // text) a new document of the coding starts from.
    static int TemplateEntryForCoding(int coding);
    // The template file name for a new document of the coding, from those six names.
    static std::string GetTemplateForCoding(int coding, const std::array<std::string, 6>& templates);
};

// The one coding manager of the program, while it exists.
extern TCodingManager* CodingManager;

// The extension of a file name without its dot ("" when it has none; "." alone gives "").
std::string_view FileExtensionOf(std::string_view fileName);
std::string LowerAscii(std::string_view text);
