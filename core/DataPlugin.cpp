// Reading data-container files: every length is checked against the range that holds it.
#include "core/DataPlugin.h"

#include "classlib/runtime/FileStream.h"
#include "classlib/runtime/Format.h"
#include "core/DataFolder.h"
#include "classlib/runtime/Files.h"
#include "core/Messages.h"
#include "core/TextUtils.h"

std::vector<uint8_t> TDPElement::ReadData() const
{
    return Plugin->ReadRange(DataStart, GetSize());
}

std::string TDPElement::ReadText() const
{
    const std::vector<uint8_t> data = ReadData();
    return std::string(data.begin(), data.end());
}

TDPElementList::TDPElementList(int64_t start, int64_t end, TDataPlugin* plugin)
{
    // Positions are 64-bit and every length is compared with what is left of the range, so no sum
    // can wrap and no read leaves the range.
    int64_t pos = start;
    while (pos < end) {
        if (end - pos < 6)
            throw EDataPluginError("élément tronqué");
        const std::vector<uint8_t> head = plugin->ReadRange(pos, 6);
        const uint32_t length =
            uint32_t(head[0]) | uint32_t(head[1]) << 8 | uint32_t(head[2]) << 16 | uint32_t(head[3]) << 24;
        const uint8_t nameLength = head[5];
        if (length < 2u + nameLength || int64_t(length) > end - pos - 4)
            throw EDataPluginError("longueur d'élément invalide");
        auto element = std::make_unique<TDPElement>();
        element->Kind = head[4];
        const std::vector<uint8_t> name = plugin->ReadRange(pos + 6, nameLength);
        element->Name.assign(name.begin(), name.end());
        element->DataStart = pos + 6 + nameLength;
        element->DataEnd = pos + 4 + int64_t(length);
        element->Plugin = plugin;
        Elements.push_back(std::move(element));
        pos += 4 + int64_t(length);
    }
}

const TDPElement* TDPElementList::FindElement(const std::string& name) const
{
    for (const auto& element : Elements)
        if (element->Name == name)
            return element.get();
    return nullptr;
}

std::string TDPElementList::GetText(const std::string& name, const std::string& def) const
{
    const TDPElement* element = FindElement(name);
    return element ? element->ReadText() : def;
}

TDataPlugin::TDataPlugin() = default;
TDataPlugin::~TDataPlugin() = default;

std::vector<uint8_t> TDataPlugin::ReadRange(int64_t start, int64_t count)
{
    if (!FStream || start < 0 || count < 0 || count > FSize || start > FSize - count)
        throw EDataPluginError("lecture hors du fichier");
    std::vector<uint8_t> data(static_cast<size_t>(count));
    FStream->Seek(start, soBeginning);
    if (count)
        FStream->ReadBuffer(data.data(), static_cast<int32_t>(count));
    return data;
}

bool TDataPlugin::Open(const std::string& fileName, uint32_t signature)
{
    FFileName = fileName;
    FElements.reset();
    FStream.reset();
    for (;;) {
        try {
            FStream = std::make_unique<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
            break;
        } catch (const Exception&) {
            const int answer = MessageDlgEx(Format("Impossible d'ouvrir le fichier \"%s\".", fileName), 1,
                                            MsgDlgButton(mbRetry) | MsgDlgButton(mbCancel));
            if (answer != mrRetry)
                return false;
        }
    }
    try {
        FSize = FStream->GetSize();
        const std::vector<uint8_t> head = ReadRange(0, 4);
        const uint32_t found =
            uint32_t(head[0]) | uint32_t(head[1]) << 8 | uint32_t(head[2]) << 16 | uint32_t(head[3]) << 24;
        if (found != signature)
            throw EDataPluginError("signature");
        FElements = std::make_unique<TDPElementList>(4, FSize, this);
        return true;
    } catch (const Exception&) {
        FStream.reset();
        ShowError(Format("Le fichier \"%s\" n'est pas un module additionnel valide.", fileName));
        return false;
    }
}

std::string TDataPlugin::GetAuthorInfo() const
{
    if (!FElements)
        return std::string();
    return BarsToLineBreaks(FElements->GetText("AUTHORINFO", std::string()));
}

std::string ResolvePluginFileName(const std::string& fileName)
{
    if (FileExists(fileName))
        return fileName;
    const size_t slash = fileName.find_last_of("\\/:");
    const std::string bare = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    const std::string inData = DataFolder() + bare;
    if (!DataFolder().empty() && FileExists(inData))
        return inData;
    return fileName;
}
