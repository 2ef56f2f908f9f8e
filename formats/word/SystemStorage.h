// The streams of a Word document's storage opened through the system's structured storage.
#pragma once
#include <memory>
#include <string>

#include "formats/word/WordReader.h"

// The storage of the named file, opened for reading while the program keeps the file open itself;
// none where the system offers no structured storage (the host build) or cannot open the file as one.
std::unique_ptr<TWordStreamSource> OpenSystemWordStorage(const std::string& fileName);
