// The save beside the target, and the host's replacing of a file.
#include "core/SafeSave.h"

#include <cstdio>

#include "classlib/runtime/Exceptions.h"
#include "classlib/runtime/Files.h"

TSafeSave::TSafeSave(const std::string& target) : FTarget(target)
{
    for (int n = 0;; ++n) {
        FTempName = target + ".~qp" + std::to_string(n);
        if (!FileExists(FTempName))
            break;
    }
    FStream = std::make_unique<TFileStream>(FTempName, fmCreate);
}

TSafeSave::~TSafeSave()
{
    if (FDone)
        return;
    FStream.reset();
    DeleteFile(FTempName);
}

bool TSafeSave::Commit()
{
    // The new file reaches the disk before it takes the old one's place: a power cut after the rename
    // must not leave an empty file under the target's name.
    const bool flushed = FStream->FlushToDisk();
    FStream.reset();
    FDone = true;
    if (flushed && ReplaceFileWith(FTempName, FTarget))
        return true;
    DeleteFile(FTempName);
    return false;
}

#if !defined(_WIN32)
bool ReplaceFileWith(const std::string& source, const std::string& target)
{
    return std::rename(source.c_str(), target.c_str()) == 0;
}
#endif
