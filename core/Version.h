// The program's version: its text as the version resource gives it, and version texts as numbers.
#pragma once
#include <cstdint>
#include <string>

// The four dotted numbers of the running program ("1.5.0.0" until the version resource is read).
extern std::string VersionString;

// A dotted version as one number: the parts weigh 10,000,000, 100,000, 1,000 and then 1 each
// ("1.5.1.0" gives 10,501,000).
int32_t VersionToNumber(const std::string& text);
// The number of the running program's version.
inline int32_t CurrentVersionNumber()
{
    return VersionToNumber(VersionString);
}
// The edition string of a version: its first part followed by ".x Bright Ink".
std::string EditionOfVersion(const std::string& version);
