// Word dates, page-number formats and the default section record.
#include "formats/word/WinWord.h"

#include "classlib/runtime/DateTime.h"

double WordDateToDateTime(uint32_t dttm)
{
    if (dttm == 0)
        return 0;
    const int minute = dttm & 0x3F, hour = (dttm >> 6) & 0x1F, day = (dttm >> 11) & 0x1F,
              month = (dttm >> 16) & 0xF, year = static_cast<int>((dttm >> 20) & 0x1FF) + 1900;
    TDateTime date = 0, time = 0;
    if (!TryEncodeDate(year, month, day, date) || !TryEncodeTime(hour, minute, 0, 0, time))
        return Now();
    return ComposeDateTime(date, time);
}

uint32_t DateTimeToWordDate(double date)
{
    if (date == 0)
        return 0;
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
    DecodeDate(date, year, month, day);
    DecodeTime(date, hour, minute, second, ms);
    if (year < 1900 || year > 1900 + 511)
        return 0;
    return (uint32_t(year - 1900) << 20) + (uint32_t(month) << 16) + (uint32_t(day) << 11) +
           uint32_t(hour) * 64 + uint32_t(minute);
}

int32_t WordNfcToPageNumberStyle(int32_t nfc)
{
    switch (nfc) {
    case 0: return 0;
    case 1: return 4;
    case 2: return 3;
    case 3: return 2;
    default: return 1;
    }
}

int32_t PageNumberStyleToWordNfc(int32_t style)
{
    switch (style) {
    case 0: return 0;
    case 2: return 3;
    case 3: return 2;
    case 4: return 1;
    default: return 4;
    }
}

const TWordSectionProps& DefaultWordSectionProps()
{
    static const TWordSectionProps props = [] {
        TWordSectionProps p{};
        const int32_t values[kWordSectionScalars] = {1, 12240, 15840, 1800, 1800, 1440, 1440, 720, 720, 0,
                                                     0, 0,     2,     1,    720,  0,    0,    1,   0};
        for (int i = 0; i < kWordSectionScalars; ++i)
            p[i] = values[i];
        return p;
    }();
    return props;
}
