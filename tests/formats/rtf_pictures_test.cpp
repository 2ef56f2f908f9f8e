// Pictures and embedded objects in RTF files: data in every layout, each kind of picture, sizes, the
// files of other programs, and damaged pictures that are dropped while the rest of the file is read.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/DocObjects.h"
#include "document/Document.h"
#include "formats/DocumentDump.h"
#include "codecs/PNG.h"
#include "codecs/Zlib.h"
#include "formats/load/LoadInput.h"
#include "formats/load/ParagraphBuilder.h"
#include "formats/rtf/RtfPictures.h"
#include "formats/rtf/RtfReader.h"
#include "formats/rtf/RtfTokenizer.h"
#include "tests/common/test_support.h"
#include "tests/codecs/png_test_support.h"

using pngtest::TRaster;

namespace {

struct TReadDocument {
    std::unique_ptr<TDocument> Doc = std::make_unique<TDocument>();
    TRtfReadResult Result;
    std::string Dump;
    std::vector<TDocObject*> Objects() const
    {
        std::vector<TDocObject*> list;
        for (auto& o : Doc->ObjectManager->Objects)
            list.push_back(o.get());
        return list;
    }
};

TReadDocument Read(const std::string& rtf)
{
    TReadDocument r;
    TLoadInput input(rtf.data(), static_cast<int64_t>(rtf.size()));
    r.Result = ReadRtfDocument(*r.Doc, input);
    r.Doc->FinishParagraphs();
    r.Dump = DumpDocument(*r.Doc);
    return r;
}

// Hexadecimal digits of the bytes, with Separator after every Every digits.
std::string Hex(const std::string& bytes, size_t every = 0, const std::string& separator = "\r\n")
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<uint8_t>(bytes[i]);
        out += digits[b >> 4];
        out += digits[b & 15];
        if (every && (i * 2 + 2) % every == 0)
            out += separator;
    }
    return out;
}

std::string Bytes(const std::vector<uint8_t>& v)
{
    return std::string(v.begin(), v.end());
}

TRaster PixelsOf(const TDocObject& object)
{
    TPNGImage png;
    pngtest::Load(png, Bytes(object.Image->PackedBytes));
    return pngtest::RasterOf(png);
}

std::string Png()
{
    return pngtest::Fixture("basn2c08.png");
}
std::string Jpeg()
{
    return qptest::ReadFileBytes(qptest::DataPath("jpeg/grad16.jpg"));
}

// A Windows metafile of a header and its end record; an enhanced metafile of its header and end record.
std::string WindowsMetafile()
{
    return std::string("\x01\x00\x09\x00\x00\x03\x0c\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00"
                       "\x03\x00\x00\x00\x00\x00",
                       24);
}
std::string EnhancedMetafile()
{
    std::string emf(108, '\0');
    auto put = [&emf](size_t at, uint32_t v) {
        for (int k = 0; k < 4; ++k)
            emf[at + k] = static_cast<char>(v >> (8 * k));
    };
    put(0, 1), put(4, 88), put(40, 0x464D4520), put(44, 0x10000), put(48, 108), put(52, 2);
    put(88, 14), put(92, 20);
    return emf;
}

// The first picture group of the LibreOffice fixture that holds Word, read on its own.
TRtfPicture PictureOfFixture(const std::string& word)
{
    const std::string rtf = qptest::ReadFileBytes(qptest::DataPath("rtf/images-lo.rtf"));
    const size_t at = rtf.find(word);
    TRtfPicture picture;
    if (at == std::string::npos)
        return picture;
    const std::string group = rtf.substr(rtf.rfind("{\\pict", at));
    TLoadInput input(group.data(), static_cast<int64_t>(group.size()));
    TRtfTokenizer tokenizer(input);
    tokenizer.Next();
    tokenizer.Next();
    ReadRtfPicture(tokenizer, 1, picture);
    return picture;
}

} // namespace

TEST(RtfPictures, FilesOfOtherProgramsGiveTheirPictures)
{
    // Made by two independent programs from the same two pictures: a lossless PNG of colour bars and a
    // JPEG of a gradient (scripts/make-rtf-fixtures.sh). The LibreOffice file also holds each picture
    // as a metafile for older readers, which must not give a second picture.
    struct {
        const char* file;
        int32_t width, height, scaleX, scaleY, jpegSide, jpegScale;
    } cases[] = {
        {"rtf/images-lo.rtf", 240, 120, 377, 378, 240, 472},
        {"rtf/images-abi.rtf", 319, 159, 283, 283, 319, 354},
    };
    for (auto& c : cases) {
        TReadDocument r = Read(qptest::ReadFileBytes(qptest::DataPath(c.file)));
        EXPECT_TRUE(r.Result.Complete) << c.file;
        // Each picture stands between its paragraph's two words (language tags may surround it).
        const size_t png0 = r.Dump.find("Image PNG : "), jpeg0 = r.Dump.find("Image JPEG : ");
        ASSERT_NE(jpeg0, std::string::npos) << r.Dump;
        EXPECT_LT(png0, r.Dump.find("<picture#0>")) << r.Dump;
        EXPECT_LT(r.Dump.find("<picture#0>"), r.Dump.find(" fin.", png0)) << r.Dump;
        EXPECT_LT(jpeg0, r.Dump.find("<picture#1>")) << r.Dump;
        EXPECT_LT(r.Dump.find("<picture#1>"), r.Dump.find(" fin.", jpeg0)) << r.Dump;
        auto objects = r.Objects();
        ASSERT_EQ(objects.size(), 2u) << c.file;
        const TDocObject& png = *objects[0];
        EXPECT_EQ(png.Width, c.width);
        EXPECT_EQ(png.Height, c.height);
        EXPECT_EQ(png.ScaleX, c.scaleX);
        EXPECT_EQ(png.ScaleY, c.scaleY);
        EXPECT_TRUE(png.Image->Packed);
        TRaster bars = PixelsOf(png);
        ASSERT_EQ(bars.Width, 16);
        ASSERT_EQ(bars.Height, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x)
                EXPECT_EQ(bars.At(x, y), (TRGBEntry{uint8_t(x * 16 % 256), uint8_t(255 - y * 30), 128}))
                    << x << "," << y;

        const TDocObject& jpeg = *objects[1];
        EXPECT_EQ(jpeg.Width, c.jpegSide);
        EXPECT_EQ(jpeg.ScaleX, c.jpegScale);
        TRaster gradient = PixelsOf(jpeg);
        ASSERT_EQ(gradient.Width, 16);
        ASSERT_EQ(gradient.Height, 16);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                TRGBEntry p = gradient.At(x, y);
                EXPECT_NEAR(p.Red, x * 16, 16) << x << "," << y;
                EXPECT_NEAR(p.Green, y * 16, 16) << x << "," << y;
                EXPECT_NEAR(p.Blue, 200, 16) << x << "," << y;
            }
    }
}

TEST(RtfPictures, DataInEveryLayoutIsReadWholeAndNothingAfterIt)
{
    const std::string png = Png();
    const std::string head = "{\\rtf1 avant{\\pict\\pngblip\\picwgoal300\\pichgoal600 ";
    struct {
        const char* name;
        std::string data;
    } cases[] = {
        {"one line", Hex(png)},
        {"CR LF lines", Hex(png, 64)},
        {"LF lines", Hex(png, 64, "\n")},
        {"CR lines and a blank before the brace", Hex(png, 30, "\r") + " "},
        {"blanks everywhere", Hex(png, 2, " ") + "\n \n"},
        {"a line end before the data", "\r\n" + Hex(png)},
        {"upper case",
         [&] {
             std::string h = Hex(png);
             for (char& ch : h)
                 ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
             return h;
         }()},
        {"binary", "\\bin" + std::to_string(png.size()) + " " + png},
        {"a shape property group first", "{\\*\\picprop{\\sp{\\sn a}{\\sv 1}}}" + Hex(png, 64)},
        {"an odd digit left over", Hex(png) + "a"},
    };
    for (auto& c : cases) {
        TReadDocument r = Read(head + c.data + "}après}");
        EXPECT_TRUE(r.Result.Complete) << c.name;
        EXPECT_EQ(r.Dump,
                  "P0: avant<picture#0>apr\\'e8s<par>\npicture#0: 300x600 twips 100%x100% bitmap 32x32\n")
            << c.name;
        auto objects = r.Objects();
        ASSERT_EQ(objects.size(), 1u) << c.name;
        EXPECT_EQ(Bytes(objects[0]->Image->PackedBytes), png) << c.name;
    }
}

TEST(RtfPictures, ShapePropertiesUnlockTheAspectRatio)
{
    const std::string png = Hex(Png());
    struct {
        const char* name;
        std::string groups; // before the data
        bool keep;
    } cases[] = {
        {"no shape properties", "", true},
        {"unlocked", "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 0}}}", false},
        {"locked", "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 1}}}", true},
        {"another property first",
         "{\\*\\picprop{\\sp{\\sn fFlipH}{\\sv 1}}{\\sp{\\sn fLockAspectRatio}{\\sv 0}}}", false},
        {"a value of another property", "{\\*\\picprop{\\sp{\\sn fFlipH}{\\sv 0}}}", true},
        {"blanks around the name", "{\\*\\picprop{\\sp{\\sn  fLockAspectRatio }{\\sv 0 }}}", false},
        {"an empty value", "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv}}}", true},
        {"the words in another group", "{\\*\\other{\\sp{\\sn fLockAspectRatio}{\\sv 0}}}", true},
        {"an empty group, then unlocked", "{}{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 0}}}", false},
        {"a group opened in the properties", "{\\*\\picprop{\\sp{\\sn fLockAspectRatio}{\\sv 0}}{{}}}",
         false},
    };
    for (auto& c : cases) {
        TReadDocument r = Read("{\\rtf1 avant{\\pict" + c.groups + "\\pngblip\\picwgoal300\\pichgoal600 " +
                               png + "}apr\\'e8s}");
        auto objects = r.Objects();
        ASSERT_EQ(objects.size(), 1u) << c.name;
        EXPECT_EQ(objects[0]->KeepProportions, c.keep) << c.name;
        EXPECT_EQ(r.Dump.substr(0, r.Dump.find('\n')), "P0: avant<picture#0>apr\\'e8s<par>") << c.name;
    }
}

TEST(RtfPictures, MetafileOfAnotherProgram)
{
    // LibreOffice gives each picture a second time as a Windows metafile for older readers: read on
    // its own, that group gives a metafile picture, kept packed, that Windows plays.
    TRtfPicture picture = PictureOfFixture("\\wmetafile8");
    ASSERT_EQ(picture.Kind, rpWindowsMetafile);
    TDocument doc;
    TDocPicture object(&doc);
    ASSERT_TRUE(SetRtfPictureImage(picture, object));
    EXPECT_EQ(object.Width, 240);
    EXPECT_EQ(object.Height, 120);
    EXPECT_TRUE(object.Image->Packed);
    EXPECT_TRUE(object.Image->FromWindowsMetafile);
#ifdef _WIN32
    object.Image->SetCompressed(false);
    EXPECT_NE(object.Image->Metafile, 0u);
#endif
}

TEST(RtfPictures, KindsAndSizes)
{
    // Without a wanted size: pixels at 15 twips, or hundredths of millimetres for metafiles. Sizes and
    // scales from the file are kept within what the program lays out.
    TReadDocument r = Read(
        "{\\rtf1 {\\pict\\pngblip " + Hex(Png()) + "}{\\pict\\jpegblip\\picscalex50\\picscaley0 " +
        Hex(Jpeg()) + "}{\\pict\\wmetafile8\\picw2540\\pich1270 " + Hex(WindowsMetafile()) +
        "}{\\pict\\emfblip\\picwgoal99999999\\pichgoal-5\\picscalex99999 " + Hex(EnhancedMetafile()) + "}}");
    EXPECT_EQ(r.Dump, "P0: <picture#0><picture#1><picture#2><picture#3><par>\n"
                      "picture#0: 480x480 twips 100%x100% bitmap 32x32\n"
                      "picture#1: 240x240 twips 50%x1% bitmap 16x16\n"
                      "picture#2: 1440x720 twips 100%x100% windows-metafile\n"
                      "picture#3: 31680x1 twips 1000%x100% metafile\n");
    auto objects = r.Objects();
    ASSERT_EQ(objects.size(), 4u);
    const TDocObjectImage& wmf = *objects[2]->Image;
    EXPECT_TRUE(wmf.Packed);
    EXPECT_EQ(wmf.MetafileHeader.MapMode, 8);
    EXPECT_EQ(wmf.MetafileHeader.XExt, 2540);
    EXPECT_EQ(wmf.MetafileHeader.YExt, 1270);
    EXPECT_EQ(Bytes(DecompressBuffer(wmf.PackedBytes.data(), int32_t(wmf.PackedBytes.size()), 0)),
              WindowsMetafile());
}

TEST(RtfPictures, DamagedPicturesAreDroppedAndTheRestIsRead)
{
    std::string png = Png();
    std::string badCrc = png;
    badCrc[32] = static_cast<char>(badCrc[32] ^ 1); // inside the header chunk's check value
    std::string huge = png; // the header says 100000 x 100000, with its check value right
    huge.replace(16, 8, std::string("\x00\x01\x86\xa0\x00\x01\x86\xa0", 8));
    const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
    for (int k = 0; k < 4; ++k)
        huge[29 + k] = static_cast<char>(crc >> (24 - 8 * k));
    std::string jpeg = Jpeg();
    struct {
        const char* name;
        std::string group;
    } cases[] = {
        {"no kind", "{\\pict " + Hex(png) + "}"},
        {"no data", "{\\pict\\pngblip\\picw10\\pich10}"},
        {"a missing digit", "{\\pict\\pngblip " + Hex(png).erase(40, 1) + "}"},
        {"not a PNG", "{\\pict\\pngblip 0102030405060708090a}"},
        {"a PNG with a damaged header", "{\\pict\\pngblip " + Hex(badCrc) + "}"},
        {"a PNG too large", "{\\pict\\pngblip " + Hex(huge) + "}"},
        {"a PNG cut short", "{\\pict\\pngblip " + Hex(png.substr(0, png.size() / 2)) + "}"},
        {"not a JPEG", "{\\pict\\jpegblip ffd8ffe000104a464946}"},
        {"a JPEG cut short", "{\\pict\\jpegblip " + Hex(jpeg.substr(0, jpeg.size() / 3)) + "}"},
        {"a JPEG named PNG", "{\\pict\\pngblip " + Hex(jpeg) + "}"},
        {"not a Windows metafile", "{\\pict\\wmetafile8 " + Hex(EnhancedMetafile()) + "}"},
        {"not an enhanced metafile", "{\\pict\\emfblip " + Hex(WindowsMetafile()) + "}"},
        {"an enhanced metafile larger than its data",
         "{\\pict\\emfblip " + Hex(EnhancedMetafile().substr(0, 100)) + "}"},
        {"deleted text", "{\\deleted{\\pict\\pngblip " + Hex(png) + "}}"},
        {"three bytes of binary data", "{\\pict\\pngblip\\bin3 " + png.substr(0, 3) + "}"},
    };
    for (auto& c : cases) {
        TReadDocument r = Read("{\\rtf1 avant" + c.group + "après}");
        EXPECT_TRUE(r.Result.Complete) << c.name;
        EXPECT_TRUE(r.Objects().empty()) << c.name;
        EXPECT_EQ(r.Dump, "P0: avantapr\\'e8s<par>\n") << c.name;
    }
    // Data that run to the end of the file end the picture and the file: a whole picture is kept, a
    // part of one is not; what came before stays.
    struct {
        std::string end;
        const char* dump;
    } cut[] = {
        {Hex(png), "P0: avant<picture#0><par>\npicture#0: 480x480 twips 100%x100% bitmap 32x32\n"},
        {Hex(png).substr(0, 11), "P0: avant<par>\n"},
        {"\\bin99999999 " + png,
         "P0: avant<picture#0><par>\npicture#0: 480x480 twips 100%x100% bitmap 32x32\n"},
        {"\\bin99999999 " + png.substr(0, 40), "P0: avant<par>\n"},
    };
    for (auto& c : cut) {
        TReadDocument r = Read("{\\rtf1 avant{\\pict\\pngblip " + c.end);
        EXPECT_FALSE(r.Result.Complete);
        EXPECT_TRUE(r.Result.Error.empty());
        EXPECT_EQ(r.Dump, c.dump) << c.end.substr(0, 20);
    }
    // A file of another program cut anywhere, or with a byte changed anywhere in its pictures.
    const std::string file = qptest::ReadFileBytes(qptest::DataPath("rtf/images-abi.rtf"));
    for (size_t size = 0; size < file.size(); size += 37)
        Read(file.substr(0, size));
    for (size_t at = file.find("\\pict"); at < file.size(); at += 29) {
        std::string damaged = file;
        damaged[at] = "0f}{\\ "[at % 6];
        Read(damaged);
    }
}

TEST(RtfObjects, ObjectWithItsDataAndResultPicture)
{
    const std::string wmf = Hex(WindowsMetafile());
    const std::string object =
        "{\\object\\objemb\\objw1000\\objh500{\\*\\objclass Paint.Picture}{\\*\\objname Dessin}"
        "{\\*\\objdata 0102\r\n03ff}texte{\\b "
        "gras}{\\result{\\pict\\wmetafile8\\picwgoal2000\\pichgoal1000 " +
        wmf + "}}}";
    TReadDocument r = Read("{\\rtf1 a" + object + "b}");
    EXPECT_EQ(r.Dump, "P0: a<object#0>b<par>\n"
                      "object#0: 2000x1000 twips 100%x100% windows-metafile kind=1 class=Paint.Picture "
                      "name=Dessin data=4\n");
    auto objects = r.Objects();
    ASSERT_EQ(objects.size(), 1u);
    EXPECT_EQ(dynamic_cast<TDocOLEObject&>(*objects[0]).Data, (std::vector<uint8_t>{1, 2, 3, 0xff}));
    EXPECT_EQ(r.Doc->Paragraphs[0]->PlainText.Size(), 4); // a, 9, b, paragraph end
    EXPECT_EQ(r.Doc->Paragraphs[0]->PlainText.Data()[1], 9);

    const std::string picture = "{\\pict\\pngblip " + Hex(Png()) + "}";
    const std::string pictureLine = "picture#0: 480x480 twips 100%x100% bitmap 32x32\n";
    struct {
        const char* name;
        std::string rtf;
        std::string dump;
    } cases[] = {
        // The last kind word wins, none gives 1; the object's own size stays without a wanted size.
        {"kind", "{\\object\\objlink\\objocx\\objw700\\objh300{\\result" + picture + "}}",
         "P0: a<object#0>b<par>\nobject#0: 700x300 twips 100%x100% bitmap 32x32 kind=8 class= name= "
         "data=0\n"},
        {"no kind", "{\\object{\\result{" + picture + "}}}",
         "P0: a<object#0>b<par>\nobject#0: 480x480 twips 100%x100% bitmap 32x32 kind=1 class= name= "
         "data=0\n"},
        {"no result", "{\\object\\objemb{\\*\\objdata 0102}}", "P0: ab<par>\n"},
        {"a result without a picture", "{\\object\\objemb{\\result texte}}", "P0: ab<par>\n"},
        {"a damaged result picture", "{\\object\\objemb{\\result{\\pict\\pngblip 0102}}}", "P0: ab<par>\n"},
        {"deleted", "{\\deleted\\object{\\result" + picture + "}}", "P0: ab<par>\n"},
        // A shape picture in the result is a picture of the text; the object is then left without one.
        {"shape picture", "{\\object\\objemb{\\result{\\*\\shppict" + picture + "}}}",
         "P0: a<picture#0>b<par>\n" + pictureLine},
        // A result on its own gives its pictures to the text, and its text is passed over.
        {"result alone", "{\\result texte" + picture + "}", "P0: a<picture#0>b<par>\n" + pictureLine},
        {"cut short", "{\\object\\objemb{\\*\\objdata 01", "P0: a<par>\n"},
    };
    for (auto& c : cases)
        EXPECT_EQ(Read("{\\rtf1 a" + c.rtf + "b}").Dump, c.dump) << c.name;
    // Objects nested in the pictures of their results as deep as groups go end with the reader's
    // message, without exhausting the stack.
    std::string deep = "{\\rtf1 a";
    for (int i = 0; i < 200; ++i)
        deep += "{\\object{\\result{\\*\\shppict";
    TReadDocument nested = Read(deep);
    EXPECT_FALSE(nested.Result.Complete);
    EXPECT_FALSE(nested.Result.Error.empty());
    EXPECT_EQ(nested.Dump.substr(0, 5), "P0: a");
}

#ifndef _WIN32
// The JPEG picture as the program keeps it (PNG) against the same JPEG bytes decoded by ImageMagick.
TEST(RtfPictures, JpegPixelsAgreeWithAnotherDecoder)
{
    if (std::system("command -v compare >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick is missing";
    TRtfPicture picture = PictureOfFixture("\\jpegblip");
    ASSERT_EQ(picture.Kind, rpJpeg);
    TDocument doc;
    TDocPicture object(&doc);
    ASSERT_TRUE(SetRtfPictureImage(picture, object));
    const std::string dir = qptest::ScratchDir();
    std::ofstream(dir + "/source.jpg", std::ios::binary) << Bytes(picture.Data);
    std::ofstream(dir + "/kept.png", std::ios::binary) << Bytes(object.Image->PackedBytes);
    const std::string command = "compare -metric AE -fuzz 2% '" + dir + "/source.jpg' '" + dir +
                                "/kept.png' null: 2>'" + dir + "/ae.txt'";
    std::system(command.c_str());
    EXPECT_EQ(qptest::ReadFileBytes(dir + "/ae.txt"), "0");
}
#endif
