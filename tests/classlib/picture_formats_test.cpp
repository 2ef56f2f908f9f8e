// The list of picture file formats: registering a graphic class for an extension and finding it again.
#include <gtest/gtest.h>

#include "classlib/graphics/Picture.h"

namespace {

class TTestGraphic : public TGraphic {
public:
    int32_t GetWidth() const override { return 1; }
    int32_t GetHeight() const override { return Kind; }
    void LoadFromStream(TStream&) override {}
    void SaveToStream(TStream&) override {}
    int32_t Kind = 0;
};

std::unique_ptr<TGraphic> MakeFirst()
{
    return std::make_unique<TTestGraphic>();
}

std::unique_ptr<TGraphic> MakeSecond()
{
    auto g = std::make_unique<TTestGraphic>();
    g->Kind = 2;
    return g;
}

TEST(PictureFormats, ExtensionFindsItsClassInAnyCase)
{
    TPicture::RegisterFileFormat("qpt", "", MakeFirst);
    EXPECT_EQ(MakeFirst, TPicture::FindFileFormat("qpt"));
    EXPECT_EQ(MakeFirst, TPicture::FindFileFormat("QpT"));
    EXPECT_EQ(MakeFirst, TPicture::FindFileFormat(".QPT"));
    EXPECT_EQ(nullptr, TPicture::FindFileFormat("qp"));
    EXPECT_EQ(nullptr, TPicture::FindFileFormat(""));
}

TEST(PictureFormats, RegisteringAgainReplacesTheClass)
{
    TPicture::RegisterFileFormat("QPU", "", MakeFirst);
    TPicture::RegisterFileFormat("qpu", "", MakeSecond);
    TGraphicClass graphicClass = TPicture::FindFileFormat("qpu");
    ASSERT_NE(nullptr, graphicClass);
    EXPECT_EQ(2, graphicClass()->GetHeight());
}

} // namespace
