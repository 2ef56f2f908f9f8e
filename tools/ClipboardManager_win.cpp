// The clipboard manager over the Windows clipboard and OLE drops: listing and choosing formats, writing a
// range in several formats, reading a paste, and the exit questions.
#include "tools/ClipboardManager.h"

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Bitmap_win.h"
#include "classlib/runtime/Exceptions.h"
#include "classlib/windowing/Forms.h"
#include "classlib/graphics/Metafile_win.h"
#include "core/BitmapUtils.h"
#include "core/ClipboardData.h"
#include "core/Codings.h"
#include "core/Events.h"
#include "core/Memory.h"
#include "core/Messages.h"
#include "core/Sounds.h"
#include "core/MetafileUtils.h"
#include "core/PathUtils.h"
#include "core/ShellUtils.h"
#include "document/DocObjects.h"
#include "document/FieldCodes.h"
#include "document/Field.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/Metafiles.h"
#include "editing/Builders.h"
#include "editing/OperationParams.h"
#include "core/Options.h"
#include "classlib/runtime/Streams.h"
#include "formats/DocumentMemory.h"
#include "tools/PiggyBank.h"

int32_t TClipboardManager::RtfFormat = 0;
int32_t TClipboardManager::FileGroupDescriptorFormat = 0;
int32_t TClipboardManager::FileContentsFormat = 0;
int32_t TClipboardManager::RectangularSelectionFormat = 0;
int32_t TClipboardManager::NotWholeWordsSelectionFormat = 0;

int32_t PasteSpecialFormatNumbers[5] = {CF_TEXT, CF_UNICODETEXT, 0, CF_ENHMETAFILE, CF_BITMAP};

namespace {

TClipboardManager* Manager = nullptr;

// Movable, shareable global memory holding Bytes (and a closing zero byte when asked).
HGLOBAL GlobalOf(const void* bytes, size_t size, bool zero)
{
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size + (zero ? 1 : 0));
    if (!handle)
        throw EOutOfMemory("Mémoire insuffisante pour le Presse-papiers.");
    auto* p = static_cast<uint8_t*>(GlobalLock(handle));
    if (size)
        std::memcpy(p, bytes, size);
    if (zero)
        p[size] = 0;
    GlobalUnlock(handle);
    return handle;
}

// A bitmap of the system as our bitmap (through its device-independent bits).
bool BitmapFromHandle(HBITMAP handle, TBitmap& bitmap)
{
    BITMAP info{};
    if (!handle || !GetObjectA(handle, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = info.bmWidth;
    header.bmiHeader.biHeight = info.bmHeight;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 24;
    header.bmiHeader.biCompression = BI_RGB;
    const size_t stride = ((size_t(info.bmWidth) * 24 + 31) / 32) * 4;
    std::string packed(sizeof(BITMAPINFOHEADER) + stride * size_t(info.bmHeight), '\0');
    std::memcpy(packed.data(), &header.bmiHeader, sizeof(BITMAPINFOHEADER));
    HDC dc = GetDC(nullptr);
    const int lines = GetDIBits(dc, handle, 0, UINT(info.bmHeight), packed.data() + sizeof(BITMAPINFOHEADER),
                                &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (lines != info.bmHeight)
        return false;
    return ReadClipboardDib(reinterpret_cast<const uint8_t*>(packed.data()), packed.size(), bitmap);
}

std::string ReadFileBytes(const std::string& name)
{
    std::string bytes;
    HANDLE file =
        CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    const DWORD size = GetFileSize(file, nullptr);
    if (size != INVALID_FILE_SIZE) {
        bytes.resize(size);
        DWORD read = 0;
        if (!ReadFile(file, bytes.data(), size, &read, nullptr))
            read = 0;
        bytes.resize(read);
    }
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::string& name, const std::string& bytes)
{
    HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

// The twips of a length in hundredths of a millimetre.
int32_t TwipsOfHundredthsMm(int32_t v)
{
    return int32_t(int64_t(v) * 1440 / 2540);
}

} // namespace

// The FORMATETC records of a drop's data object, parallel to the listed formats.
struct TClipboardManager::TDropFormats {
    std::vector<FORMATETC> Entries;
};

TClipboardManager::TClipboardManager() : FDrop(std::make_unique<TDropFormats>())
{
    RtfFormat = int32_t(RegisterClipboardFormatA("Rich Text Format"));
    FileGroupDescriptorFormat = int32_t(RegisterClipboardFormatA("FileGroupDescriptor"));
    FileContentsFormat = int32_t(RegisterClipboardFormatA("FileContents"));
    RectangularSelectionFormat = int32_t(RegisterClipboardFormatA("Rectangular Selection"));
    NotWholeWordsSelectionFormat = int32_t(RegisterClipboardFormatA("Not Whole Words Selection"));
    PasteSpecialFormatNumbers[2] = RtfFormat;
    OwnerWindow = Application ? reinterpret_cast<uintptr_t>(Application->Handle()) : 0;
    Manager = this;
    SetPasteSource(this);
}

TClipboardManager::~TClipboardManager()
{
    if (PasteSource() == this)
        SetPasteSource(nullptr);
    if (Manager == this)
        Manager = nullptr;
    History.clear();
    PiggyBank.reset();
}

TClipboardManager* GetClipboardManager()
{
    return Manager;
}

bool TClipboardManager::OpenClipboard()
{
    if (IsOpen)
        return true;
    if (!DropData) {
        if (!::OpenClipboard(reinterpret_cast<HWND>(OwnerWindow)))
            return false;
        Formats.clear();
        for (UINT f = EnumClipboardFormats(0); f; f = EnumClipboardFormats(f))
            Formats.push_back(int32_t(f));
    } else {
        Formats.clear();
        FDrop->Entries.clear();
        auto* data = static_cast<IDataObject*>(DropData);
        IEnumFORMATETC* formats = nullptr;
        if (SUCCEEDED(data->EnumFormatEtc(DATADIR_GET, &formats)) && formats) {
            formats->Reset();
            FORMATETC entry{};
            while (formats->Next(1, &entry, nullptr) == S_OK) {
                const bool plain = !entry.ptd && entry.dwAspect == DVASPECT_CONTENT &&
                                   (entry.tymed == TYMED_HGLOBAL || entry.tymed == TYMED_GDI ||
                                    entry.tymed == TYMED_MFPICT || entry.tymed == TYMED_ENHMF);
                if (entry.ptd)
                    CoTaskMemFree(entry.ptd);
                bool accepted = plain;
                if (accepted && int32_t(entry.cfFormat) == FileGroupDescriptorFormat) {
                    // Only a single dragged link.
                    STGMEDIUM medium{};
                    accepted = false;
                    if (SUCCEEDED(data->GetData(&entry, &medium))) {
                        if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
                            const SIZE_T size = GlobalSize(medium.hGlobal);
                            if (const void* p = GlobalLock(medium.hGlobal)) {
                                accepted = IsSingleDraggedLink(static_cast<const uint8_t*>(p), size);
                                GlobalUnlock(medium.hGlobal);
                            }
                        }
                        ReleaseStgMedium(&medium);
                    }
                }
                if (accepted) {
                    Formats.push_back(int32_t(entry.cfFormat));
                    entry.ptd = nullptr;
                    FDrop->Entries.push_back(entry);
                }
            }
            formats->Release();
        }
    }
    IsOpen = true;
    return true;
}

void TClipboardManager::CloseClipboard()
{
    if (!DropData && IsOpen)
        ::CloseClipboard();
    IsOpen = false;
}

void TClipboardManager::SetDropData(void* dataObject)
{
    DropData = dataObject;
    if (!dataObject)
        FDrop->Entries.clear();
}

bool TClipboardManager::HasFormat(int32_t format)
{
    return std::find(Formats.begin(), Formats.end(), format) != Formats.end();
}

bool TClipboardManager::IsUsableFormat(int32_t format)
{
    return HasFormat(format) && (format != FileGroupDescriptorFormat || DropData);
}

int TClipboardManager::GetPasteKind()
{
    if (IsUsableFormat(RtfFormat))
        return 2;
    for (int32_t f : Formats) {
        if (!IsUsableFormat(f))
            continue;
        if (f == CF_TEXT || f == CF_UNICODETEXT)
            return 1;
        if (f == CF_BITMAP || f == CF_METAFILEPICT || f == CF_DIB || f == CF_ENHMETAFILE)
            return 3;
        if (f == FileGroupDescriptorFormat)
            return 1;
    }
    return 0;
}

uintptr_t TClipboardManager::GetData(int32_t format)
{
    if (!DropData)
        return reinterpret_cast<uintptr_t>(GetClipboardData(UINT(format)));
    const auto it = std::find(Formats.begin(), Formats.end(), format);
    if (it == Formats.end())
        return 0;
    FORMATETC entry = FDrop->Entries[size_t(it - Formats.begin())];
    STGMEDIUM medium{};
    if (FAILED(static_cast<IDataObject*>(DropData)->GetData(&entry, &medium)))
        return 0;
    // The global block is handed over; other media are not read from a drop.
    if (medium.tymed == TYMED_HGLOBAL)
        return reinterpret_cast<uintptr_t>(medium.hGlobal);
    ReleaseStgMedium(&medium);
    return 0;
}

bool TClipboardManager::GetDataBytes(int32_t format, std::string& bytes)
{
    HGLOBAL handle = reinterpret_cast<HGLOBAL>(GetData(format));
    if (!handle)
        return false;
    const SIZE_T size = GlobalSize(handle);
    const void* p = GlobalLock(handle);
    if (!p)
        return false;
    bytes.assign(static_cast<const char*>(p), size);
    GlobalUnlock(handle);
    if (DropData)
        GlobalFree(handle);
    return true;
}

int32_t TClipboardManager::GetTextFormat()
{
    int32_t found = -1;
    for (int32_t f : Formats) {
        if (f != CF_TEXT && f != CF_UNICODETEXT && !(DropData && f == FileGroupDescriptorFormat))
            continue;
        if (DropData || GetData(f)) {
            found = f;
            break;
        }
    }
    if (found == CF_TEXT && HasFormat(CF_UNICODETEXT))
        found = CF_UNICODETEXT;
    return found;
}

int32_t TClipboardManager::GetBestFormat()
{
    switch (GetPasteKind()) {
    case 1: return GetTextFormat();
    case 2: return RtfFormat;
    }
    if (HasFormat(CF_BITMAP))
        return CF_BITMAP;
    if (!DropData)
        return CF_ENHMETAFILE;
    if (HasFormat(CF_ENHMETAFILE))
        return CF_ENHMETAFILE;
    if (HasFormat(CF_DIB))
        return CF_DIB;
    return CF_METAFILEPICT;
}

bool TClipboardManager::IsHandleFormat(int32_t format)
{
    return format == CF_BITMAP || format == CF_ENHMETAFILE;
}

int32_t TClipboardManager::GetClipboardLocale()
{
    std::string bytes;
    if (!HasFormat(CF_LOCALE) || !GetDataBytes(CF_LOCALE, bytes) || bytes.size() < 4)
        return 0;
    int32_t id = int32_t(uint8_t(bytes[0]) | (uint8_t(bytes[1]) << 8) | (uint8_t(bytes[2]) << 16) |
                         (uint32_t(uint8_t(bytes[3])) << 24));
    if (id > 0 && id < 1024)
        id += 0x400;
    return id;
}

int64_t TClipboardManager::GetClipboardDataSize()
{
    int64_t total = 0;
    for (int32_t f : Formats) {
        if (f == CF_ENHMETAFILE) {
            if (HENHMETAFILE emf = reinterpret_cast<HENHMETAFILE>(GetData(f)))
                total += GetEnhMetaFileBits(emf, 0, nullptr);
        } else if (f == CF_TEXT || f == RtfFormat) {
            if (HGLOBAL h = reinterpret_cast<HGLOBAL>(GetData(f)))
                total += int64_t(GlobalSize(h));
        }
    }
    return total;
}

void TClipboardManager::SetText(const std::string& text)
{
    if (!IsOpen || text.empty())
        return;
    EmptyClipboard();
    HGLOBAL handle = GlobalOf(text.data(), text.size(), true);
    if (!SetClipboardData(CF_TEXT, handle))
        GlobalFree(handle);
}

void TClipboardManager::RenderFormat(TDocument& document, const TTextRange& range, int32_t format,
                                     const TField* link)
{
    HANDLE data = nullptr;
    if (format == CF_TEXT && link) {
        std::string address, tooltip;
        ParseHyperlinkFieldCode(link->Code, address, tooltip);
        if (address.empty())
            return;
        data = GlobalOf(address.data(), address.size(), true);
    } else if (format == CF_TEXT) {
        TMemory block;
        if (!SaveRangeToMemory(document, range, cdAnsiText, block))
            throw EAbort();
        if (block.Size() == 0)
            return;
        data = GlobalOf(block.Data(), size_t(block.Size()), true);
    } else if (format == RtfFormat) {
        TMemory block;
        if (!SaveRangeToMemory(document, range, cdRtf, block))
            throw Exception("Le texte n'a pas pu être écrit au format RTF.");
        data = GlobalOf(block.Data(), size_t(block.Size()), true);
    } else if (format == CF_ENHMETAFILE || format == CF_BITMAP) {
        TDocObject* object = document.GetObjectAt(range.StartPos);
        if (!object || !object->Image)
            return;
        TDocObjectImage& image = *object->Image;
        image.SetCompressed(false);
        struct TPack {
            TDocObjectImage& Image;
            ~TPack() { Image.SetCompressed(true); }
        } pack{image};
        if (image.Kind == ikMetafile && image.Metafile) {
            const std::vector<uint8_t> bits = GetMetafileBits(image.Metafile);
            HENHMETAFILE emf = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
            if (format == CF_ENHMETAFILE) {
                data = emf;
            } else if (emf) {
                TMetafile metafile;
                metafile.SetHandle(emf);
                data = reinterpret_cast<HANDLE>(MetafileToBitmapHandle(metafile, 0, 0));
            }
        } else if (image.Bitmap) {
            if (format == CF_BITMAP) {
                data = CreateBitmapHandle(*image.Bitmap);
            } else if (auto metafile = BitmapToMetafile(*image.Bitmap)) {
                data = CopyEnhMetaFileA(metafile->Handle(), nullptr);
            }
        }
    } else if (format == RectangularSelectionFormat || format == NotWholeWordsSelectionFormat) {
        const uint8_t marker = 1;
        data = GlobalOf(&marker, 1, false);
    }
    if (data && !SetClipboardData(UINT(format), data)) {
        if (format == CF_BITMAP)
            DeleteObject(data);
        else if (format == CF_ENHMETAFILE)
            DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
        else
            GlobalFree(data);
    }
}

void TClipboardManager::CopyRange(TDocument& document, const TTextRange& range, uint8_t flags)
{
    // Link mode: a hyperlink at the selection, copied through the link's own menu or selected whole;
    // its address is then the clip's text.
    TTextRange linkRange{};
    const TField* link = document.GetFieldAtSelection(linkRange, ftHyperlink);
    if (link && !CopyLinkFlag &&
        !(CompareTextPos(linkRange.StartPos, range.StartPos) == 0 &&
          CompareTextPos(linkRange.EndPos, range.EndPos) == 0))
        link = nullptr;
    EmptyClipboard();
    std::vector<int32_t> formats{RtfFormat};
    const bool singleObject = range.StartPos.ParIndex == range.EndPos.ParIndex &&
                              range.EndPos.Offset - range.StartPos.Offset == 1 &&
                              document.IsSingleObjectRange(range);
    if (singleObject) {
        formats.push_back(CF_ENHMETAFILE);
        formats.push_back(CF_BITMAP);
    }
    if (!singleObject || link)
        formats.push_back(CF_TEXT);
    if (flags & cfRectangular)
        formats.push_back(RectangularSelectionFormat);
    if (flags & cfNotWholeWords)
        formats.push_back(NotWholeWordsSelectionFormat);
    for (int32_t f : formats)
        RenderFormat(document, range, f, link);
    LastCopyCoding = document.Coding;
}

void TClipboardManager::CopyBlock(TDocument& document, const std::vector<TTextRange>& lines)
{
    // The lines gathered into a scratch document, one paragraph each.
    auto scratch = std::make_unique<TDocument>(true);
    scratch->FinishParagraphs();
    for (size_t i = 0; i < lines.size(); ++i) {
        std::unique_ptr<TDocument> piece = CopyRangeAsDocument(document, lines[i]);
        const TTextPos end = TextPosAt(scratch->StoryLengths[stMain] - 1,
                                       scratch->ParagraphLength(scratch->StoryLengths[stMain] - 1) - 1);
        TChangedRange range = EmptyChangedRange();
        if (i > 0) {
            scratch->PrepareInsertFormat(end, 0);
            InsertPlainText(*scratch, "\r", end, range, nullptr, 0);
        }
        if (piece) {
            const TTextPos at = TextPosAt(scratch->StoryLengths[stMain] - 1,
                                          scratch->ParagraphLength(scratch->StoryLengths[stMain] - 1) - 1);
            MakeTextPos(at.ParIndex, at.Offset, scratch->Caret);
            scratch->PrepareInsertFormat(at, 0);
            TDocumentContent content;
            TakeDocumentContent(*scratch, *piece, content);
            InsertDocumentContent(*scratch, content, at, 0, range, nullptr);
        }
    }
    const int32_t last = scratch->StoryLengths[stMain] - 1;
    const TTextRange body = TextRangeOf(TextPosAt(0, 0), TextPosAt(last, scratch->ParagraphLength(last) - 1));
    scratch->Coding = document.Coding;
    if (!OpenClipboard())
        throw Exception("Le Presse-papiers n'a pas pu être ouvert.");
    struct TCloser {
        TClipboardManager& Manager;
        ~TCloser() { Manager.CloseClipboard(); }
    } closer{*this};
    CopyRange(*scratch, body, cfRectangular);
}

bool TClipboardManager::PasteInto(TDocument& target, int32_t preferred, bool asText, TPasteResult& result)
{
    int32_t format;
    if (PastingHistoryItem)
        format = PastingHistoryItem->Format;
    else if (asText)
        format = GetTextFormat();
    else if (preferred != 0 && HasFormat(preferred))
        format = preferred;
    else
        format = GetBestFormat();
    if (format <= 0)
        return false;
    result.FormatUsed = format;
    if (format == CF_TEXT || format == CF_UNICODETEXT || format == RtfFormat ||
        format == FileGroupDescriptorFormat)
        return PasteText(target, format, result);
    return PastePicture(target, format, result);
}

bool TClipboardManager::PasteText(TDocument& target, int32_t format, TPasteResult& result)
{
    std::string bytes;
    if (PastingHistoryItem) {
        bytes = PastingHistoryItem->LoadContent();
    } else if (format == FileGroupDescriptorFormat) {
        // A dragged link: the address in the shortcut's content.
        std::string contents;
        if (!GetDataBytes(FileContentsFormat, contents))
            return false;
        bytes = ReadInternetShortcutUrl(
            ReadClipboardText(reinterpret_cast<const uint8_t*>(contents.data()), contents.size()));
    } else if (format == RtfFormat) {
        if (!GetDataBytes(RtfFormat, bytes)) {
            format = CF_TEXT;
            result.FormatUsed = CF_TEXT;
            if (!GetDataBytes(CF_TEXT, bytes))
                return false;
        }
    } else if (!GetDataBytes(format, bytes)) {
        return false;
    }
    if (format == CF_UNICODETEXT) {
        const std::u16string wide =
            ReadClipboardUnicodeText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        const int32_t codePage = BestCodePageForText(reinterpret_cast<const uint16_t*>(wide.data()),
                                                     int(wide.size()), int32_t(GetACP()));
        result.Text = WideToAnsiBestCodePage(wide);
        result.Charset = CharsetOfCodePage(codePage, DEFAULT_CHARSET);
        result.IsPlainText = true;
        return true;
    }
    const std::string text = ReadClipboardText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    if (format != RtfFormat) {
        result.Text = text;
        result.IsPlainText = true;
        return true;
    }
    std::unique_ptr<TDocument> hidden = LoadDocumentFromMemory(text.data(), int64_t(text.size()), cdRtf);
    if (!hidden)
        throw Exception("Le contenu RTF du Presse-papiers est illisible.");
    TakeDocumentContent(target, *hidden, result.Content);
    return true;
}

bool TClipboardManager::PastePicture(TDocument& target, int32_t format, TPasteResult& result)
{
    auto object = std::make_unique<TDocPicture>(&target);
    if (format == CF_BITMAP || format == CF_DIB) {
        auto bitmap = std::make_unique<TBitmap>();
        bool read = false;
        if (PastingHistoryItem) {
            const std::string file = PastingHistoryItem->LoadContent();
            TMemoryStream stream;
            stream.Write(file.data(), int32_t(file.size()));
            stream.SetPosition(0);
            bitmap->LoadFromStream(stream);
            read = true;
        } else if (format == CF_BITMAP && !DropData && !HasFormat(CF_DIB)) {
            read = BitmapFromHandle(static_cast<HBITMAP>(GetClipboardData(CF_BITMAP)), *bitmap);
        } else {
            // The device-independent form of the same picture is read where it is offered: its reader
            // checks every size against the block.
            std::string bytes;
            read = GetDataBytes(CF_DIB, bytes) &&
                   ReadClipboardDib(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), *bitmap);
            if (!read && HasFormat(CF_DIB))
                throw Exception("L'image du Presse-papiers est endommagée.");
        }
        if (!read)
            return false;
        ReduceBitmapColors(*bitmap);
        object->Width = target.ScreenToTwips(bitmap->GetWidth());
        object->Height = target.ScreenToTwips(bitmap->GetHeight());
        object->Image->SetBitmap(std::move(bitmap));
    } else if (format == CF_ENHMETAFILE) {
        std::vector<uint8_t> bits;
        if (PastingHistoryItem) {
            const std::string file = PastingHistoryItem->LoadContent();
            bits.assign(file.begin(), file.end());
        } else {
            HENHMETAFILE emf = reinterpret_cast<HENHMETAFILE>(GetData(CF_ENHMETAFILE));
            if (!emf)
                return false;
            const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
            bits.resize(size);
            GetEnhMetaFileBits(emf, size, bits.data());
        }
        HENHMETAFILE copy = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
        if (!copy)
            return false;
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(copy, sizeof header, &header);
        DeleteEnhMetaFile(copy);
        // The frame in pixels of the metafile's reference device, then in twips of the screen.
        auto twips = [&target](LONG frame, LONG devicePixels, LONG deviceMm) {
            if (devicePixels <= 0 || deviceMm <= 0 || deviceMm > INT32_MAX / 100)
                return TwipsOfHundredthsMm(frame);
            return target.ScreenToTwips(MulDiv(frame, devicePixels, deviceMm * 100));
        };
        object->Width = twips(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx,
                              header.szlMillimeters.cx);
        object->Height = twips(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy,
                               header.szlMillimeters.cy);
        object->Image->SetMetafileBits(bits, false, TMetafileHeader{});
    } else {
        return false;
    }
    GetMaxPictureSize(target, *object);
    TDocObject* listed = target.ObjectManager->AddObject(std::move(object));
    for (int f = 0; f < CharFormatFieldCount; ++f)
        if (target.InsertedTextFormat[f] != UndefinedField)
            AppendInlineTag(result.Content.Buffer, f, target.InsertedTextFormat[f]);
    AppendInlineTag(result.Content.Buffer, tcPicture, listed->Handle);
    result.Content.Positions = 1;
    return true;
}

bool TClipboardManager::IsTextContent()
{
    if (PastingHistoryItem)
        return PastingHistoryItem->Format == CF_TEXT || PastingHistoryItem->Format == CF_UNICODETEXT;
    return GetPasteKind() == 1;
}

bool TClipboardManager::CanPastePiggyBank(const TDocument& target)
{
    return PiggyBank && !PiggyBank->IsEmpty() && &target != PiggyBank->Document.get();
}

bool TClipboardManager::PiggyBankContent(TDocument& target, TDocumentContent& content)
{
    if (!CanPastePiggyBank(target))
        return false;
    return PiggyBank->InsertInto(target, content);
}

TPiggyBank& TClipboardManager::GetPiggyBank()
{
    if (!PiggyBank)
        PiggyBank = std::make_unique<TPiggyBank>();
    return *PiggyBank;
}

bool TClipboardManager::QueryCloseApp()
{
    if (PiggyBank && !PiggyBank->IsEmpty()) {
        const int answer = MessageDlgWithOption(
            "Le Pique-notes contient des éléments. Désirez-vous enregistrer son contenu dans un fichier ?", 3,
            mbYesNoCancel, 17);
        if (answer == mrCancel)
            return false;
        if (answer == mrYes && !(SaveDocumentAs && SaveDocumentAs(*PiggyBank->Document)))
            return false;
    }
    if (GetClipboardOwner() == reinterpret_cast<HWND>(OwnerWindow) && OwnerWindow) {
        auto empty = [this] {
            if (OpenClipboard()) {
                EmptyClipboard();
                CloseClipboard();
            }
        };
        if (LastCopyCoding == cdEncrypted) {
            const int answer = MessageDlgWithOption("Le Presse-papiers contient des fragments de document "
                                                    "crypté. Voulez-vous laisser ces éléments "
                                                    "à la disposition d'autres applications ?",
                                                    0, mbYesNoCancel, 12);
            if (answer == mrCancel)
                return false;
            if (answer == mrNo)
                empty();
        }
        if (OpenClipboard()) {
            const int64_t size = GetClipboardDataSize();
            CloseClipboard();
            if (size > 131072) {
                const int answer =
                    MessageDlgWithOption("Quillpad a placé un élément de grande taille dans le "
                                         "Presse-papiers. Voulez-vous laisser "
                                         "cet élément à la disposition d'autres applications ?",
                                         3, mbYesNoCancel, 11);
                if (answer == mrCancel)
                    return false;
                if (answer == mrNo)
                    empty();
            }
        }
    }
    return true;
}

// --- History ---

TClipHistoryItem::TClipHistoryItem(TClipboardManager& manager, int32_t format) : Format(format)
{
    FileName = GetTempFileNameOfKind(tfTmp);
    if (!manager.GetData(format) && manager.HasFormat(CF_TEXT))
        Format = CF_TEXT;
    std::string bytes;
    bool got = false;
    if (Format == CF_ENHMETAFILE) {
        if (HENHMETAFILE emf = reinterpret_cast<HENHMETAFILE>(manager.GetData(CF_ENHMETAFILE))) {
            bytes.resize(GetEnhMetaFileBits(emf, 0, nullptr));
            GetEnhMetaFileBits(emf, UINT(bytes.size()), reinterpret_cast<BYTE*>(bytes.data()));
            got = !bytes.empty();
        }
    } else if (Format == CF_BITMAP || Format == CF_DIB) {
        TBitmap bitmap;
        std::string dib;
        if (Format == CF_BITMAP)
            got = BitmapFromHandle(reinterpret_cast<HBITMAP>(manager.GetData(CF_BITMAP)), bitmap);
        else
            got = manager.GetDataBytes(CF_DIB, dib) &&
                  ReadClipboardDib(reinterpret_cast<const uint8_t*>(dib.data()), dib.size(), bitmap);
        if (got) {
            ReduceBitmapColors(bitmap);
            TMemoryStream stream;
            bitmap.SaveToStream(stream);
            bytes.assign(reinterpret_cast<const char*>(stream.Memory()), size_t(stream.GetSize()));
        }
    } else {
        got = manager.GetDataBytes(Format, bytes);
    }
    if (!got || !WriteFileBytes(FileName, bytes)) {
        Format = UndefinedField;
        return;
    }
    std::string text;
    if (manager.HasFormat(CF_TEXT) && manager.GetDataBytes(CF_TEXT, text)) {
        const size_t whole =
            ReadClipboardText(reinterpret_cast<const uint8_t*>(text.data()), text.size()).size();
        std::string caption = ReadClipboardText(reinterpret_cast<const uint8_t*>(text.data()),
                                                std::min<size_t>(text.size(), 75));
        const size_t cr = caption.find('\r');
        if (cr != std::string::npos)
            caption.resize(cr);
        else if (const size_t lf = caption.find('\n'); lf != std::string::npos)
            caption.resize(lf);
        const size_t lead = caption.find_first_not_of(" \t");
        caption = lead == std::string::npos ? std::string() : caption.substr(lead);
        if (!caption.empty()) {
            if (whole > 75)
                caption += "...";
            Caption = "\"" + caption + "\"";
            return;
        }
    }
    ++manager.InsertCounter;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer,
                  (Format == CF_BITMAP || Format == CF_DIB || Format == CF_ENHMETAFILE) ? "Insert %d (image)"
                                                                                        : "Insert %d",
                  int(manager.InsertCounter));
    Caption = buffer;
}

TClipHistoryItem::~TClipHistoryItem()
{
    // The content is wiped before the file goes.
    HANDLE file = CreateFileA(FileName.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_WRITE_THROUGH, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const DWORD size = GetFileSize(file, nullptr);
        static const char zeros[16384] = {};
        for (DWORD done = 0; size != INVALID_FILE_SIZE && done < size;) {
            const DWORD n = std::min<DWORD>(sizeof zeros, size - done);
            DWORD written = 0;
            if (!WriteFile(file, zeros, n, &written, nullptr) || written == 0)
                break;
            done += written;
        }
        CloseHandle(file);
    }
    DeleteFileA(FileName.c_str());
}

std::string TClipHistoryItem::LoadContent() const
{
    std::string bytes = ReadFileBytes(FileName);
    if (Format == CF_BITMAP || Format == CF_DIB || Format == CF_ENHMETAFILE)
        return bytes;
    if (Format == CF_UNICODETEXT) {
        const std::u16string wide =
            ReadClipboardUnicodeText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
        return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
    }
    return ReadClipboardText(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

void TClipboardManager::AddHistoryItem()
{
    const int32_t keep = CurrentOptions().General.DocsToKeep;
    if (keep <= 0 || CollectEverything)
        return;
    const int32_t best = GetBestFormat();
    if (best <= 0)
        return;
    auto item = std::make_unique<TClipHistoryItem>(*this, best);
    if (!item->Captured())
        return;
    History.push_front(std::move(item));
    while (int32_t(History.size()) > keep)
        History.pop_back();
}

void TClipboardManager::PasteHistoryItem(int index)
{
    if (index < 0 || index >= int(History.size()))
        return;
    TClipHistoryItem* item = History[size_t(index)].get();
    struct TClear {
        TClipboardManager& Manager;
        ~TClear() { Manager.PastingHistoryItem = nullptr; }
    } clear{*this};
    PastingHistoryItem = item;
    if (RunCommand)
        RunCommand(3360);
    auto it = History.begin() + index;
    std::unique_ptr<TClipHistoryItem> moved = std::move(*it);
    History.erase(it);
    History.push_front(std::move(moved));
}

void TClipboardManager::ClipboardChanged()
{
    if (!OpenClipboard())
        return;
    bool paste = false;
    {
        struct TCloser {
            TClipboardManager& Manager;
            ~TCloser() { Manager.CloseClipboard(); }
        } closer{*this};
        if (!CanPaste())
            return;
        if (CollectEverything)
            paste = true;
        else
            AddHistoryItem();
    }
    if (paste)
        GetPiggyBank().CollectClipboard(*this);
}

void TPiggyBank::CollectClipboard(TClipboardManager& manager)
{
    TDocument* active = manager.TargetDocument ? manager.TargetDocument() : nullptr;
    if (active == Document.get() && manager.OwnerWindow &&
        GetClipboardOwner() == reinterpret_cast<HWND>(manager.OwnerWindow))
        return;
    TDocument& doc = *Document;
    auto toEnd = [&doc] {
        const int32_t last = doc.StoryLengths[stMain] - 1;
        MakeTextPos(last, doc.ParagraphLength(last) - 1, doc.Caret);
        doc.Selection = TextRangeOf(doc.Caret, doc.Caret);
    };
    try {
        TSoundsSuspended quiet;
        if (!IsEmpty()) {
            toEnd();
            TInsertTextParams mark;
            mark.Text = "\r";
            ExecuteOperation(doc, mark);
        }
        toEnd();
        ExecuteOperation(doc, TPasteParams{});
        doc.SetModified(true);
    } catch (...) {
        // A failed collection leaves what was collected before.
    }
    TriggerEvent(2380);
}
