// Embedded objects and the document's object list with the counting of live pictures.
#include "document/DocObjects.h"

#include <algorithm>

#include "document/Document.h"
#include "document/DocumentHost.h"
#include "document/TagTargets.h"

TDocObject::TDocObject(TDocument* document)
    : Document(document), Image(std::make_unique<TDocObjectImage>(this)),
      Handle(RegisterTagTarget(TTagTargetKind::Object, this))
{}

TDocObject::~TDocObject()
{
    ReleaseTagTarget(Handle);
}

int64_t TDocObject::GetMemorySize() const
{
    return int64_t(sizeof(*this)) + Image->GetMemorySize();
}

void TDocObject::GetPixelSize(int32_t& width, int32_t& height) const
{
    width = Document->TwipsToScreen(Width);
    height = Document->TwipsToScreen(Height);
}

int64_t TDocOLEObject::GetMemorySize() const
{
    return TDocObject::GetMemorySize() + int64_t(Data.size());
}

TObjectManager::~TObjectManager()
{
    while (!Objects.empty())
        DeleteObject(Objects.back().get());
}

TDocObject* TObjectManager::AddObject(std::unique_ptr<TDocObject> object)
{
    TDocObject* added = object.get();
    added->Document = Document;
    Objects.push_back(std::move(object));
    added->Listed = true;
    TDocObjectImage& image = *added->Image;
    TDocumentHost& host = DocumentHost();
    if (image.IsLive()) {
        host.CountLivePicture(image.LiveSize, 1);
        if (host.PictureCacheFull())
            host.FreeOldestPictureCache(added);
    }
    if (image.Kind == ikMetafile && image.Packed && !image.DeflatedTwice) {
        int64_t packed = 0;
        for (const auto& o : Objects)
            if (o->Image->Kind == ikMetafile && o->Image->Packed)
                packed += int64_t(o->Image->PackedBytes.size());
        if (packed > host.PackedMetafileLimit) {
            image.DeflateAgain();
        }
    }
    return added;
}

void TObjectManager::DeleteObject(TDocObject* object)
{
    const auto it =
        std::find_if(Objects.begin(), Objects.end(), [object](const auto& o) { return o.get() == object; });
    if (it == Objects.end())
        return;
    if (object->Image->IsLive())
        DocumentHost().CountLivePicture(object->Image->LiveSize, -1);
    object->Listed = false;
    Objects.erase(it);
}

TDocObject* TObjectManager::LeastRecentlyUsed(const TDocObject* except) const
{
    TDocObject* best = nullptr;
    for (const auto& o : Objects)
        if (o.get() != except && o->Image->IsLive() && (!best || o->Image->UseCount < best->Image->UseCount))
            best = o.get();
    return best;
}

TDocObject* TObjectManager::FindObject(int32_t handle) const
{
    auto* object = static_cast<TDocObject*>(ResolveTagTarget(handle, TTagTargetKind::Object));
    return object && object->Document == Document && object->Listed ? object : nullptr;
}
