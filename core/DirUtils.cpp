// The current-folder stack and file-name comparison.
#include "core/DirUtils.h"

#include <vector>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/Files.h"

namespace {

std::vector<std::string>& DirStack()
{
    static std::vector<std::string> stack;
    return stack;
}

} // namespace

std::string GetCurrentDirSlash()
{
    return IncludeTrailingPathDelimiter(GetCurrentDir());
}

void PushCurrentDir()
{
    DirStack().push_back(GetCurrentDir());
}

void PopCurrentDir()
{
    auto& stack = DirStack();
    if (stack.empty())
        return;
    SetCurrentDir(stack.back());
    stack.pop_back();
}

bool SameFileName(std::string_view a, std::string_view b)
{
    return AnsiUpperCase(a) == AnsiUpperCase(b);
}

std::string RemoveFileExt(std::string_view name)
{
    return ChangeFileExt(name, "");
}
