// Picture insertion: an image file of any readable format made an embedded picture, scaled to fit the column
// and the page, and inserted at the selection as one operation.
#include <algorithm>
#include <fstream>
#include <iterator>

#include "classlib/graphics/Bitmap.h"
#include "classlib/graphics/Picture.h"
#include "classlib/runtime/Files.h"
#include "classlib/runtime/Format.h"
#include "codecs/GIF.h"
#include "codecs/PictureBytes.h"
#include "codecs/PictureFormats.h"
#include "core/Messages.h"
#include "core/OptionsHolder.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "document/InlineTags.h"
#include "document/ParLine.h"
#include "document/Section.h"
#include "editing/Builders.h"
#include "editing/Operation.h"
#include "editing/OperationParams.h"
#include "editing/PictureFiles.h"
#include "codecs/JpegImage.h"

namespace {

// Picture formats by index, as the file-format list gives them for an extension.
const char* const PictureExtensions[PictureFormatCount] = {"bmp", "emf", "wmf", "jpg", "gif", "png", "tif",
                                                           "pcd", "pcx", "tga", "ico", "cur", "ani"};
constexpr int32_t TwipsPerPixel = 15; // at 96 dots per inch

std::vector<uint8_t> ReadWholeFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    if (!file)
        return {};
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size <= 0 || size > MaxPictureFileSize)
        return {};
    file.seekg(0);
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), size);
    if (file.gcount() != size)
        return {};
    return bytes;
}

std::unique_ptr<TBitmap> BitmapOfJpeg(const std::vector<uint8_t>& bytes)
{
    TJPEGImage jpeg;
    jpeg.LoadFromBytes(bytes.data(), bytes.size());
    std::vector<uint8_t> rgb;
    jpeg.Decode(rgb);
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(jpeg.Width(), jpeg.Height());
    for (int32_t y = 0; y < jpeg.Height(); ++y) {
        const uint8_t* from = rgb.data() + size_t(y) * size_t(jpeg.Width()) * 3;
        uint8_t* to = bitmap->ScanLine(y);
        for (int32_t x = 0; x < jpeg.Width(); ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return bitmap;
}

// The bitmap that a picture class reads from the bytes (a GIF: its current frame).
std::unique_ptr<TBitmap> ClassBitmap(int index, const std::vector<uint8_t>& bytes)
{
    TGraphicClass graphicClass = TPicture::FindFileFormat(PictureExtensions[index]);
    std::unique_ptr<TGraphic> graphic = index == 0     ? std::make_unique<TBitmap>()
                                        : graphicClass ? graphicClass()
                                                       : nullptr;
    if (!graphic)
        return nullptr;
    TMemoryStream stream;
    stream.Write(bytes.data(), int32_t(bytes.size()));
    stream.SetPosition(0);
    graphic->LoadFromStream(stream);
    if (auto* gif = dynamic_cast<TGIFImage*>(graphic.get())) {
        auto frame = std::make_unique<TBitmap>();
        gif->AssignTo(*frame);
        return frame;
    }
    if (auto* asBitmap = dynamic_cast<TBitmap*>(graphic.get())) {
        graphic.release();
        return std::unique_ptr<TBitmap>(asBitmap);
    }
    return nullptr;
}

// The picture read with the reader of one format; false when that reader does not take it.
bool LoadPicture(int index, const std::vector<uint8_t>& bytes, TDocObject& object)
{
    try {
        if (index == 1 || index == 2)
            return LoadMetafilePicture(bytes, index == 2, object);
        std::unique_ptr<TBitmap> bitmap;
        if (index == 3)
            bitmap = BitmapOfJpeg(bytes);
        else if (index == 10 || index == 11)
            bitmap = IconFileBitmap(bytes);
        else if (index == 12)
            bitmap = AnimatedCursorBitmap(bytes);
        else
            bitmap = ClassBitmap(index, bytes);
        if (!bitmap || bitmap->Empty())
            return false;
        object.Width = int32_t(std::min<int64_t>(int64_t(bitmap->GetWidth()) * TwipsPerPixel, INT32_MAX));
        object.Height = int32_t(std::min<int64_t>(int64_t(bitmap->GetHeight()) * TwipsPerPixel, INT32_MAX));
        object.Image->SetBitmap(std::move(bitmap));
        if (index == 3)
            object.Image->JpegBytes = bytes;
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

uint8_t PictureFormatOfFile(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    const size_t slash = fileName.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return 255;
    std::string ext = fileName.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    if (ext == "jpeg")
        return 3;
    if (ext == "tiff")
        return 6;
    for (uint8_t i = 0; i < PictureFormatCount; ++i)
        if (ext == PictureExtensions[i])
            return i;
    return 255;
}

void GetMaxPictureSize(TDocument& doc, TDocObject& object)
{
    const int32_t caretPar = std::clamp(doc.Caret.ParIndex, 0, doc.ParagraphCount() - 1);
    const TSection* owner = doc.PageSetupOwnerSection(caretPar);
    const TPageSetup& page = owner ? owner->PageSetup : doc.Sections.back()->PageSetup;
    int32_t width = page[psTextWidth];
    TSection* section = doc.SectionOfParagraph(caretPar);
    if (section && section->Params[spColumnCount] > 1 && !doc.EditedHeaderFooter) {
        const int count = std::min<int>(section->Params[spColumnCount], MaxColumns);
        int column = 0;
        const TParagraph& p = *doc.Paragraphs[size_t(caretPar)];
        if (!doc.HasSelection() && doc.Caret.LineIndex >= 0 && doc.Caret.LineIndex < p.LineCount())
            column = std::clamp(p.Lines[size_t(doc.Caret.LineIndex)]->ColumnIndex, 0, count - 1);
        width = 0;
        for (int n = doc.HasSelection() ? 0 : column; n < (doc.HasSelection() ? count : column + 1); ++n) {
            TColumnGeometry geometry;
            section->GetColumnGeometry(n, geometry);
            width = std::max(width, geometry.Width);
        }
    }
    const int32_t height = page[psHeight] - page[psTopMargin] - page[psBottomMargin];
    // A picture is never enlarged and keeps its proportions; a picture without a size stays as it is.
    auto fit = [](int32_t available, int32_t size) {
        if (size <= 0)
            return 100;
        return int32_t(std::clamp<int64_t>(int64_t(std::max(available, 0)) * 100 / size, 1, 100));
    };
    const int32_t scale = std::min(fit(width, object.Width), fit(height, object.Height));
    object.ScaleX = object.ScaleY = scale;
}

void InsertPictureFromFile(TDocument& doc, const std::string& fileName, int formatIndex)
{
    if (!FileExists(fileName)) {
        ShowError(Format("Impossible d'ouvrir le fichier \"%s\".", fileName.c_str()));
        return;
    }
    RegisterPictureFormats();
    auto object = std::make_unique<TDocPicture>(&doc);
    const int first = formatIndex >= PictureFormatCount ? PictureFormatOfFile(fileName) : formatIndex;
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    // The format the name gives first, then every other one in order.
    bool loaded = !bytes.empty() && first < PictureFormatCount && LoadPicture(first, bytes, *object);
    for (int index = 0; !loaded && !bytes.empty() && index < PictureFormatCount; ++index)
        if (index != first)
            loaded = LoadPicture(index, bytes, *object);
    if (!loaded) {
        ShowError(Format("Impossible d'ouvrir l'image \"%s\". Ceci peut être dû à un manque de ressources "
                         "système ou à un format d'image non reconnu.",
                         fileName.c_str()));
        return;
    }
    GetMaxPictureSize(doc, *object);
    TDocObject* listed = doc.ObjectManager->AddObject(std::move(object));
    TMemory content;
    AppendInlineTag(content, tcPicture, listed->Handle);
    TInsertContentParams params;
    params.Content = &content;
    doc.UndoList.KindOverride = okInsertPicture;
    try {
        ExecuteOperation(doc, params);
    } catch (...) {
        doc.UndoList.KindOverride = 0xFF;
        doc.ObjectManager->DeleteObject(listed);
        throw;
    }
    // The picture-file history ("InsertPicture_Files").
    if (TOptionsHolder* holder = GetOptionsHolder())
        holder->Owners.FileLists[5].Add(fileName);
}
