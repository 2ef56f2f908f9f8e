// The pictures of a document saved as metafiles (EMF and WMF) for an independent reader of the host:
// scripts/wine-picture-check.sh has LibreOffice draw each into a PNG file and compares it with the bitmap
// the program saved of the same picture.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>

#include "classlib/runtime/FileStream.h"
#include "document/DocObjects.h"
#include "document/Document.h"
#include "formats/save/PictureFiles.h"
#include "tests/common/rtf_document.h"
#include "tests/common/test_support.h"

TEST(PictureMetafileToolFiles, WrittenForTheToolsToCheck)
{
    const char* out = std::getenv("QP_TOOL_OUT");
    if (!out || !*out)
        GTEST_SKIP() << "QP_TOOL_OUT names no folder";
    const std::string dir = qptest::NativePath(out);
    std::ofstream list(dir + "/checks.txt", std::ios::binary);
    // A bitmap (PNG) picture and a Windows metafile picture.
    const std::string rtf = qptest::ReadFileBytes(qptest::DataPath("rtf/images-lo.rtf"));
    TDocument doc;
    ASSERT_TRUE(qptest::LoadRtfText(doc, rtf));
    ASSERT_GE(doc.ObjectManager->Objects.size(), 2u);
    int n = 0;
    for (const std::unique_ptr<TDocObject>& picture : doc.ObjectManager->Objects) {
        const std::string name = dir + "\\image" + std::to_string(n);
        ASSERT_TRUE(WritePictureFile(*picture, name + ".bmp", pfBmp));
        for (int format : {pfEmf, pfWmf}) {
            const std::string file = "image" + std::to_string(n) + "." + PictureFileExtension(format);
            ASSERT_TRUE(WritePictureFile(*picture, dir + "\\" + file, format)) << file;
            list << file << "\timage" << n << ".bmp\n";
        }
        ++n;
    }
}
