// The table of date and time formats and their field pictures.
#include "core/DateTimeFormats.h"

namespace {

const char* const Formats[DateTimeFormatCount] = {
    "ddddd",
    "dd/MM/yy",
    "'le' dd/MM/yy",
    "d/MM/yy",
    "dd/MM/yyyy",
    "'le' dd/MM/yyyy",
    "dd.MM.yyyy",
    "dd.MM.yy",
    "yy-MM-dd",
    "dddddd",
    "dddd d MMMM yyyy",
    "dddd, d MMMM yyyy",
    "dddd, 'le' d MMMM yyyy",
    "'le' dddd d MMMM yyyy",
    "d MMMM yyyy",
    "d MMMM, yyyy",
    "'le' d MMMM yyyy",
    "dd-MMM-yyyy",
    "dd-MMM-yy",
    "MMMM yyyy",
    "dd/MM/yyyy HH:mm:ss",
    "dddd, d MMMM yyyy HH:mm:ss",
    "dddd, d MMMM yyyy HH:mm",
    "dddd, ttttt",
    "ddddd, ttttt",
    "d MMMM yyyy, ttttt",
    "dd-MMM-yy, ttttt",
    "dddd, dd-MMM-yy ttttt",
    "dddddd, hh:mm am/pm",
    "dddddd, hh:mm:ss am/pm",
    "dd-MMM-yy, hh:mm am/pm",
    "dd-MMM-yy, hh:mm:ss am/pm",
    "dddd d MMMM yyyy, hh:mm",
    "dddd d MMMM yyyy, hh:mm am/pm",
    "dddd d MMMM yyyy, hh:mm:ss",
    "dddd d MMMM yyyy, hh:mm:ss am/pm",
    "HH:mm",
    "HH:mm:ss",
    "hh:mm am/pm",
    "hh:mm:ss am/pm",
    "hh 'h' mm",
    "h 'h' mm am/pm",
};

} // namespace

const char* DateTimeFormat(int index)
{
    return index >= 0 && index < DateTimeFormatCount ? Formats[index] : "";
}

std::string DateTimeFieldPicture(int index)
{
    const std::string format = DateTimeFormat(index);
    std::string picture;
    for (size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            // Quoted text is copied with its quotes.
            const size_t close = format.find('\'', i + 1);
            const size_t end = close == std::string::npos ? format.size() : close + 1;
            picture.append(format, i, end - i);
            i = end;
            continue;
        }
        if (format.compare(i, 5, "am/pm") == 0) {
            picture += "AM/PM";
            i += 5;
            continue;
        }
        size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        if (c == 'd' && run == 5)
            picture += "dd/MM/yyyy";
        else if (c == 'd' && run == 6)
            picture += "dddd d MMMM yyyy";
        else if (c == 't' && run == 5)
            picture += "HH:mm:ss";
        else
            picture.append(run, c);
        i += run;
    }
    return picture;
}
