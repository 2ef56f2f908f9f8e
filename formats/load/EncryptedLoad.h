// Opening an encrypted document: the password step with the check of the whole file, then the input
// deciphered chunk by chunk for the RTF reader.
#pragma once
#include <cstdint>
#include <string>

#include "formats/load/DocumentLoad.h"

class TLoadInput;
class TStream;

// The password step: the known password (Password, enciphered in memory; empty when none is known) is
// tried silently, then the user is asked until the whole file checks under a password. True with the
// working password kept enciphered in Password; false when the user gave up (nothing more is said).
bool ObtainDocumentPassword(TStream& file, int64_t size, const std::string& fileName, std::string& password,
                            const TAskUser& ask, const TAskPassword& askPassword);

// Makes the input give the document's text: the file keys opened from the header under the password
// (enciphered in memory), every chunk deciphered as it is read, reading from behind the header, and
// the check trailer left out of the data.
void DecipherInput(TLoadInput& input, const std::string& password);
