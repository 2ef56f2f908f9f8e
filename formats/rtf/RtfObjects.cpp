// Reading embedded OLE objects of Rich Text Format files into objects of the document.
#include "formats/rtf/RtfObjects.h"

#include <algorithm>
#include <string>

#include "document/DocObjects.h"
#include "formats/rtf/RtfPictures.h"
#include "formats/rtf/RtfTokenizer.h"

namespace {

void SkipRest(TRtfTokenizer& tokenizer, int depth)
{
    while (tokenizer.Depth() >= depth && tokenizer.Next().Kind != TRtfTokenKind::End) {}
}

// The text of the rest of a group (a class or object name); nested groups are passed over.
std::string ReadName(TRtfTokenizer& tokenizer, int depth)
{
    std::string name;
    while (tokenizer.Depth() >= depth) {
        const TRtfToken& t = tokenizer.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (tokenizer.Depth() != depth)
            continue;
        if (t.Kind == TRtfTokenKind::Text)
            name.append(reinterpret_cast<const char*>(t.Text), size_t(t.Length));
        else if (t.Kind == TRtfTokenKind::Byte)
            name += static_cast<char>(t.Char);
    }
    return name;
}

class TObjectReader {
public:
    TObjectReader(TRtfTokenizer& tokenizer, TDocOLEObject* object, const TRtfDocumentDispatch& toDocument)
        : Tok(tokenizer), Object(object), ToDocument(toDocument)
    {}

    void ReadObjectGroup(int depth);
    void ReadResult(int depth);
    bool HasPicture = false;
    TRtfToken Stray;

private:
    void ReadInnerGroup();
    void ReadDestination(int inner, const TRtfToken& first);
    void ReadPicture(int depth);

    TRtfTokenizer& Tok;
    TDocOLEObject* Object;
    const TRtfDocumentDispatch& ToDocument;
};

void TObjectReader::ReadObjectGroup(int depth)
{
    while (Tok.Depth() >= depth) {
        const TRtfToken& t = Tok.Next();
        if (t.Kind == TRtfTokenKind::End)
            break;
        if (t.Kind == TRtfTokenKind::GroupStart) {
            ReadInnerGroup();
            continue;
        }
        if (Tok.Depth() != depth)
            continue;
        // A paragraph end here belongs to the document after an object whose group the file left open.
        if (t.Kind == TRtfTokenKind::Word && (t.Word == rw_par || t.Word == rw_pard)) {
            Stray = t;
            return;
        }
        if (t.Kind != TRtfTokenKind::Word)
            continue;
        switch (t.Word) {
        case rw_objemb: Object->ObjectKind = 1; break;
        case rw_objlink: Object->ObjectKind = 2; break;
        case rw_objautlink: Object->ObjectKind = 3; break;
        case rw_objsub: Object->ObjectKind = 4; break;
        case rw_objpub: Object->ObjectKind = 5; break;
        case rw_objicemb: Object->ObjectKind = 6; break;
        case rw_objhtml: Object->ObjectKind = 7; break;
        case rw_objocx: Object->ObjectKind = 8; break;
        case rw_objw: Object->Width = std::clamp(t.Param, 1, kMaxPictureTwips); break;
        case rw_objh: Object->Height = std::clamp(t.Param, 1, kMaxPictureTwips); break;
        default: break;
        }
    }
}

bool StartsDestination(const TRtfToken& t)
{
    return (t.Kind == TRtfTokenKind::Symbol && t.Char == '*') ||
           (t.Kind == TRtfTokenKind::Word && TControlWords::IsDestination(t.Word));
}

// Entered behind a "{" met inside the object: a destination is read, any other group skipped whole.
void TObjectReader::ReadInnerGroup()
{
    const int inner = Tok.Depth();
    const TRtfToken& first = Tok.Next();
    if (first.Kind == TRtfTokenKind::End || Tok.Depth() < inner)
        return;
    if (StartsDestination(first))
        ReadDestination(inner, first);
    else
        SkipRest(Tok, inner);
}

// A destination group opened at Inner whose first token is First: its content goes to the object (or,
// with none, to the document); destinations that fill nothing here are skipped whole.
void TObjectReader::ReadDestination(int inner, const TRtfToken& first)
{
    int word = first.Kind == TRtfTokenKind::Word ? first.Word : -1;
    if (first.Kind == TRtfTokenKind::Symbol) {
        const TRtfToken& w = Tok.Next();
        if (w.Kind == TRtfTokenKind::End || Tok.Depth() < inner)
            return;
        word = w.Kind == TRtfTokenKind::Word ? w.Word : -1;
    }
    if (!TControlWords::IsDestination(word)) {
        SkipRest(Tok, inner);
        return;
    }
    if (!Object) {
        if (!(ToDocument && ToDocument(word, inner)))
            SkipRest(Tok, inner);
        return;
    }
    switch (word) {
    case rw_pict: ReadPicture(inner); break;
    case rw_objdata:
        Object->Data.clear();
        ReadRtfGroupData(Tok, inner, Object->Data, nullptr);
        Object->Data.shrink_to_fit();
        break;
    case rw_objclass: Object->ClassName = ReadName(Tok, inner); break;
    case rw_objname: Object->ObjectName = ReadName(Tok, inner); break;
    case rw_result: ReadResult(inner); break;
    case rw_shppict:
        // A group of the text: its picture belongs to the document.
        if (!(ToDocument && ToDocument(word, inner)))
            SkipRest(Tok, inner);
        break;
    default: SkipRest(Tok, inner); break;
    }
}

void TObjectReader::ReadPicture(int depth)
{
    TRtfPicture picture;
    ReadRtfPicture(Tok, depth, picture);
    const int32_t width = Object->Width, height = Object->Height;
    if (!SetRtfPictureImage(picture, *Object))
        return;
    // Without a wanted size of its own the picture keeps the object's.
    if (picture.GoalWidth <= 0 && width > 0)
        Object->Width = width;
    if (picture.GoalHeight <= 0 && height > 0)
        Object->Height = height;
    HasPicture = true;
}

void TObjectReader::ReadResult(int depth)
{
    while (Tok.Depth() >= depth) {
        const TRtfToken* t = &Tok.Next();
        // Ordinary groups are entered: only the destinations inside them are read.
        while (t && t->Kind == TRtfTokenKind::GroupStart) {
            const int inner = Tok.Depth();
            const TRtfToken& first = Tok.Next();
            if (StartsDestination(first)) {
                ReadDestination(inner, first);
                t = nullptr;
            } else {
                t = &first;
            }
        }
        if (t && t->Kind == TRtfTokenKind::End)
            break;
    }
}

} // namespace

std::unique_ptr<TDocOLEObject> ReadRtfObject(TRtfTokenizer& tokenizer, int depth, TDocument& document,
                                             const TRtfDocumentDispatch& toDocument, TRtfToken& stray)
{
    auto object = std::make_unique<TDocOLEObject>(&document);
    TObjectReader reader(tokenizer, object.get(), toDocument);
    reader.ReadObjectGroup(depth);
    stray = reader.Stray;
    if (!reader.HasPicture)
        return nullptr;
    return object;
}

void ReadRtfObjectResult(TRtfTokenizer& tokenizer, int depth, TDocOLEObject* object,
                         const TRtfDocumentDispatch& toDocument)
{
    TObjectReader reader(tokenizer, object, toDocument);
    reader.ReadResult(depth);
}
