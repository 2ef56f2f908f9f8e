// What tests share: where the fixtures are and a scratch folder of their own.
#pragma once
#include <string>

namespace qptest {

// A full path as the program under test opens it (under Wine a Unix path lies on drive Z:).
std::string NativePath(std::string path);

// Full path of a fixture under tests/data, in the form the program under test opens.
std::string DataPath(const std::string& name);

// Full path of a file under the build's bin folder (where the programs and their files are built).
std::string BuildBinPath(const std::string& name);

// A fresh empty folder for one test's files (removed at exit of the program).
std::string ScratchDir();

// The whole contents of a file, or an empty string when it cannot be read.
std::string ReadFileBytes(const std::string& path);

} // namespace qptest
