// Pictures of Rich Text Format files: a "pict" group read into its words and data, and those data made
// into the picture of a document object (PNG and JPEG checked by decoding them, metafiles kept packed).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TDocObject;
class TDocPicture;
class TDocument;
class TRtfTokenizer;
struct TRtfToken;

enum TRtfPictureKind : uint8_t {
    rpNone = 0,
    rpEnhancedMetafile = 1,
    rpWindowsMetafile = 2,
    rpJpeg = 3,
    rpPng = 4,
};

// What a picture group says of its picture.
struct TRtfPicture {
    TRtfPictureKind Kind = rpNone;
    int32_t MetafileMode = 0;              // mapping mode of a Windows metafile
    int32_t Width = 0, Height = 0;         // the picture's own size (pixels; 0.01 mm for metafiles)
    int32_t GoalWidth = 0, GoalHeight = 0; // wanted size in twips, 0 when not given
    int32_t ScaleX = 100, ScaleY = 100;    // percent
    bool KeepProportions = true;           // false when the shape properties unlock the aspect ratio
    std::vector<uint8_t> Data;
};

// The largest size of a picture in the text, each way, in twips (22 inches), and the scale range.
constexpr int32_t kMaxPictureTwips = 31680;
constexpr int32_t kMinPictureScale = 1, kMaxPictureScale = 1000;

// Reads the data of the group opened at Depth, the tokenizer being inside it, up to the group's end:
// hexadecimal digits (blanks and line ends passed over one at a time) and "\bin" data. Control words
// at the group's own level go to OnWord; nested groups are skipped whole, or, with OnGroup, read by it
// from just after their "{" (it must leave the tokenizer after their "}").
void ReadRtfGroupData(TRtfTokenizer& tokenizer, int depth, std::vector<uint8_t>& data,
                      const std::function<void(const TRtfToken&)>& onWord,
                      const std::function<void()>& onGroup = nullptr);

// Reads the rest of a "pict" group opened at Depth, with its shape properties.
void ReadRtfPicture(TRtfTokenizer& tokenizer, int depth, TRtfPicture& picture);

// Gives the object the picture as its image, with the picture's size and scale; false, leaving the
// object as it was, when there is no picture: no kind, no data, data that are not a picture of their
// kind, or a picture too large to decode.
bool SetRtfPictureImage(const TRtfPicture& picture, TDocObject& object);

// Reads a "pict" group and makes it a picture of the document; none when it gives no picture.
std::unique_ptr<TDocPicture> ReadRtfPictureObject(TRtfTokenizer& tokenizer, int depth, TDocument& document);
