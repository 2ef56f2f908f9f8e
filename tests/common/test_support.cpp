// What tests share: fixture paths and scratch folders, for the host and under Wine.
#include "tests/common/test_support.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#ifdef _WIN32
#include <windows.h>
#endif

namespace qptest {

std::string NativePath(std::string p)
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

std::string BuildBinPath(const std::string& name)
{
    // The test programs lie in <build>/tests, beside <build>/bin.
#ifdef _WIN32
    char self[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::filesystem::path exe(self);
#else
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
#endif
    return (exe.parent_path().parent_path() / "bin" / name).make_preferred().string();
}

namespace {
struct ScratchRoot {
    std::filesystem::path path;
    ScratchRoot()
    {
        path = std::filesystem::temp_directory_path() /
               ("qptest-" + std::to_string(std::rand()) + "-" +
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
