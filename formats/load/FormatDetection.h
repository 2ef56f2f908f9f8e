// Telling which document format a file really has, from its first bytes.
#pragma once
#include <functional>

#include "formats/load/LoadInput.h"

// The signature that opens an encrypted document file.
inline constexpr char EncryptedSignature[] = "987D Ttcad";
constexpr int kEncryptedSignatureLength = 10;

// The test of whether the file is a Word document (an OLE storage with a Word stream); none means no.
using TWordStorageTest = std::function<bool()>;

// True when the data (read from their start) pass the test of the coding.
bool IsFileOfFormat(int coding, TLoadInput& input, const TWordStorageTest& isWordStorage = nullptr);
// The coding of the data: RTF, encrypted, Write, Word, in that order of tests; ANSI text otherwise.
int DetectFileFormat(TLoadInput& input, const TWordStorageTest& isWordStorage = nullptr);
