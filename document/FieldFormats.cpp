// How a field shows its result: keyword, number notations, date pictures and case switches.
#include <cmath>

#include "classlib/runtime/AnsiStrings.h"
#include "classlib/runtime/DateTime.h"
#include "core/CharClasses.h"
#include "document/Field.h"
#include "document/FieldCodes.h"

namespace {

constexpr uint8_t TimeFieldType = 32;

const char* const DayNames[7] = {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"};
const char* const DayAbbreviations[7] = {"dim.", "lun.", "mar.", "mer.", "jeu.", "ven.", "sam."};
const char* const MonthNames[12] = {"janvier", "février", "mars",      "avril",   "mai",      "juin",
                                    "juillet", "août",    "septembre", "octobre", "novembre", "décembre"};
const char* const MonthAbbreviations[12] = {"janv.", "févr.", "mars",  "avr.", "mai",  "juin",
                                            "juil.", "août",  "sept.", "oct.", "nov.", "déc."};

std::string TwoDigits(int v)
{
    return std::string(1, char('0' + v / 10 % 10)) + char('0' + v % 10);
}

// A date written by a picture: d dd ddd dddd, M MM MMM MMMM, yy yyyy, h hh (12 hours), H HH, m mm,
// s ss, AM/PM, and text between single quotes; any other character stands for itself.
std::string FormatDatePicture(const std::string& picture, double date)
{
    int year, month, day, hour, minute, second, ms;
    DecodeDate(date, year, month, day);
    DecodeTime(date, hour, minute, second, ms);
    const int weekday = int((int64_t(std::floor(date)) % 7 + 13) % 7); // 0 Sunday; day 0 was a Saturday
    std::string out;
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (c == '\'') {
            const size_t close = picture.find('\'', i + 1);
            out += picture.substr(i + 1, (close == std::string::npos ? picture.size() : close) - i - 1);
            i = close == std::string::npos ? picture.size() : close + 1;
            continue;
        }
        if (picture.compare(i, 5, "AM/PM") == 0) {
            out += hour < 12 ? "AM" : "PM";
            i += 5;
            continue;
        }
        switch (c) {
        case 'd':
        case 'D':
            out += run == 1   ? std::to_string(day)
                   : run == 2 ? TwoDigits(day)
                   : run == 3 ? DayAbbreviations[weekday]
                              : DayNames[weekday];
            break;
        case 'M':
            out += run == 1   ? std::to_string(month)
                   : run == 2 ? TwoDigits(month)
                   : run == 3 ? MonthAbbreviations[month - 1]
                              : MonthNames[month - 1];
            break;
        case 'y':
        case 'Y': out += run <= 2 ? TwoDigits(year % 100) : std::to_string(year); break;
        case 'h': {
            const int h12 = hour % 12 == 0 ? 12 : hour % 12;
            out += run == 1 ? std::to_string(h12) : TwoDigits(h12);
            break;
        }
        case 'H': out += run == 1 ? std::to_string(hour) : TwoDigits(hour); break;
        case 'm': out += run == 1 ? std::to_string(minute) : TwoDigits(minute); break;
        case 's':
        case 'S': out += run == 1 ? std::to_string(second) : TwoDigits(second); break;
        default: out.append(run, c); break;
        }
        i += run;
    }
    return out;
}

} // namespace

std::string TField::GetKeyword() const
{
    if (FieldType < FieldTypeCount && FieldTypeNames[FieldType][0] != '?')
        return FieldTypeNames[FieldType];
    return Code.substr(0, Code.find(' '));
}

std::string TField::FormatNumber(int32_t value, int32_t defaultStyle) const
{
    static const char* const switches[4] = {"alphabetic", "ALPHABETIC", "roman", "ROMAN"};
    int style = -1;
    for (int i = 0; i < 4 && style < 0; ++i)
        if (Code.find(switches[i]) != std::string::npos)
            style = i + 1;
    if (style < 0)
        style = defaultStyle >= 0 && defaultStyle < 255 ? defaultStyle : 0;
    return ApplyCaseSwitch(FormatPageNumber(value, style));
}

std::string TField::FormatDateTime(double date) const
{
    if (date == 0)
        return {};
    std::string picture = ParseDateFieldFormat(Code);
    if (picture.empty())
        picture = FieldType == TimeFieldType ? "HH:mm" : "dd/MM/yyyy";
    return ApplyCaseSwitch(FormatDatePicture(picture, date));
}

std::string TField::ApplyCaseSwitch(const std::string& text) const
{
    if (Code.find("Upper") != std::string::npos)
        return AnsiUpperCase(text);
    if (Code.find("Lower") != std::string::npos)
        return AnsiLowerCase(text);
    if (Code.find("FirstCap") != std::string::npos)
        return text.empty() ? text : AnsiUpperCase(text.substr(0, 1)) + text.substr(1);
    if (Code.find("Caps") != std::string::npos) {
        std::string out = AnsiLowerCase(text);
        bool wordStart = true;
        for (char& c : out) {
            if (IsCharClass(static_cast<unsigned char>(c), ccSeparator)) {
                wordStart = true;
            } else if (wordStart) {
                c = AnsiUpperCase(std::string(1, c))[0];
                wordStart = false;
            }
        }
        return out;
    }
    return text;
}

bool TField::HasHyperlinkSwitch() const
{
    return FieldType == ftPageReference && Code.find("\\h") != std::string::npos;
}
