// Telling which document format a file really has, from its first bytes.
#pragma once
#include "formats/load/LoadInput.h"

// The signature that opens an encrypted document file.
inline constexpr char EncryptedSignature[] = "987D Ttcad";
constexpr int kEncryptedSignatureLength = 10;

// True when the data (read from their start) pass the test of the coding.
bool IsFileOfFormat(int coding, TLoadInput& input);
// The coding of the data: RTF, encrypted, Write, Word, in that order of tests; ANSI text otherwise.
int DetectFileFormat(TLoadInput& input);
// True when the data are a compound file whose "WordDocument" stream starts as a Word document's
// does; made once per load (the input keeps the answer and the stream's first bytes).
bool IsWordStorageFile(TLoadInput& input);
