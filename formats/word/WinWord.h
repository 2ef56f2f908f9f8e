// What the Word document reader and writer share: the stream names of a Word document's storage, the
// packed date of Word files, page-number formats and the default section record.
#pragma once
#include <cstdint>

#include "formats/word/WordProps.h"

namespace winword {

// Streams of the storage, in its root.
inline constexpr char MainStreamName[] = "WordDocument";
inline constexpr char Table0StreamName[] = "0Table";
inline constexpr char Table1StreamName[] = "1Table";
inline constexpr char DataStreamName[] = "Data";

} // namespace winword

// A packed date and time of a Word file as a date value; 0 (no date) gives 0, a value that names no
// real date or time gives the current date and time.
double WordDateToDateTime(uint32_t dttm);
// The packed date and time of a date value (seconds dropped; no day of the week); 0 gives 0.
uint32_t DateTimeToWordDate(double date);

// Word's page-number formats (0 Arabic, 1 upper-case Roman, 2 lower-case Roman, 3 upper-case letters,
// 4 lower-case letters) and the page-number styles (0 Arabic, 1 lower-case letters, 2 upper-case
// letters, 3 lower-case Roman, 4 upper-case Roman), both ways.
int32_t WordNfcToPageNumberStyle(int32_t nfc);
int32_t PageNumberStyleToWordNfc(int32_t style);

// The section record a Word document's sections start from: a Letter page in portrait, one column.
const TWordSectionProps& DefaultWordSectionProps();
