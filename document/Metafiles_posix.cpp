// Metafiles where no Windows runs: none ever becomes live, so pictures of metafiles stay packed.
#include "document/Metafiles.h"

TMetafileHandle MetafileFromBits(const std::vector<uint8_t>&, bool, const TMetafileHeader&)
{
    return 0;
}

std::vector<uint8_t> GetMetafileBits(TMetafileHandle)
{
    return {};
}

void DeleteMetafile(TMetafileHandle) {}

bool RenderMetafile(TMetafileHandle, int32_t, int32_t, TBitmap&)
{
    return false;
}
