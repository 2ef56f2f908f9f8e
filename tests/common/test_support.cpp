// What tests share: fixture paths and scratch folders, for the host and under Wine.
#include "tests/common/test_support.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace qptest {

static std::string NativePath(std::string p)
{
#ifdef _WIN32
    // Under Wine the Unix root is drive Z:.
    if (!p.empty() && p[0] == '/') {
        for (char& c : p)
            if (c == '/')
                c = '\\';
        p = "Z:" + p;
    }
#endif
    return p;
}

std::string DataPath(const std::string& name)
{
    const char* root = std::getenv("QP_TESTDATA");
    std::string base = root ? root : "tests/data";
    return NativePath(base + "/" + name);
}

namespace {
struct ScratchRoot {
    std::filesystem::path path;
    ScratchRoot()
    {
        path = std::filesystem::temp_directory_path() / ("qptest-" + std::to_string(std::rand()) + "-" +
                                                         std::to_string(reinterpret_cast<std::uintptr_t>(this) & 0xFFFF));
        std::filesystem::create_directories(path);
    }
    ~ScratchRoot()
    {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};
} // namespace

std::string ScratchDir()
{
    static ScratchRoot root;
    static int count = 0;
    auto dir = root.path / std::to_string(++count);
    std::filesystem::create_directories(dir);
    return dir.string();
}

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

} // namespace qptest
