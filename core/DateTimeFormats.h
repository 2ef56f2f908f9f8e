// The date and time formats the program offers for inserting the current date or time: 36 date
// formats, then 6 time formats, and the field pictures they stand for.
#pragma once
#include <cstdint>
#include <string>

constexpr int DateTimeFormatCount = 42;
constexpr int DateFormatCount = 36;

// The format at an index, as the system's date-time formatting writes it ("ddddd", "dd/MM/yy", ...).
const char* DateTimeFormat(int index);
// The same format as a date field's picture: the short and long date ("ddddd", "dddddd") and the long
// time ("ttttt") written out in the French forms, "am/pm" as "AM/PM". Empty outside the table.
std::string DateTimeFieldPicture(int index);
