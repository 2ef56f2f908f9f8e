// Twips to and from the user's unit of measure and the units of other formats.
#include "core/Units.h"
#include "core/Options.h"

#include "classlib/runtime/Format.h"
#include <limits>

namespace {

int32_t ClampToInt32(int64_t v)
{
    if (v > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return int32_t(v);
}

} // namespace

int32_t MulDivRound(int32_t v, int32_t a, int32_t b)
{
    const int64_t product = int64_t(v) * a;
    int64_t quotient = product / b;
    const int64_t remainder = product % b;
    if (2 * (remainder < 0 ? -remainder : remainder) >= (b < 0 ? -int64_t(b) : int64_t(b)))
        quotient += (product < 0) == (b < 0) ? 1 : -1;
    return ClampToInt32(quotient);
}

namespace {

// Tenths written as hundredths, held at the 32-bit limits.
int32_t TenTimes(int32_t v)
{
    return ClampToInt32(int64_t(v) * 10);
}

} // namespace

int32_t TwipsToTenthsOfMM(int32_t v)
{
    return MulDivRound(v, 25400, 144000);
}
int32_t TwipsToHundredthsOfInch(int32_t v)
{
    return MulDivRound(v, 100, 1440);
}
int32_t TwipsToHundredthsOfPoint(int32_t v)
{
    return TenTimes(MulDivRound(v, 100, 200));
}
int32_t TwipsTo600Dpi(int32_t v)
{
    return MulDivRound(v, 600, 1440);
}
int32_t TwipsToHundredthsOfMM(int32_t v)
{
    return TenTimes(MulDivRound(v, 25400, 144000));
}
int32_t TenthsOfMMToTwips(int32_t v)
{
    return MulDivRound(v, 1440, 254);
}
int32_t HundredthsOfInchToTwips(int32_t v)
{
    return MulDivRound(v, 1440, 100);
}
int32_t HundredthsOfPointToTwips(int32_t v)
{
    return MulDivRound(v, 20, 100);
}
int32_t Dots600ToTwips(int32_t v)
{
    return MulDivRound(v, 1440, 600);
}
int32_t HundredthsOfMMToTwips(int32_t v)
{
    return MulDivRound(v, 1440, 2540);
}

namespace {

using TConversion = int32_t (*)(int32_t);
const TConversion ToUnitConversions[] = {TwipsToTenthsOfMM, TwipsToHundredthsOfInch, TwipsToHundredthsOfPoint,
                                         TwipsTo600Dpi, TwipsToHundredthsOfMM};
const TConversion FromUnitConversions[] = {TenthsOfMMToTwips, HundredthsOfInchToTwips,
                                           HundredthsOfPointToTwips, Dots600ToTwips, HundredthsOfMMToTwips};
const char* const Suffixes[] = {" cm", "\"", " pt", " pi", " mm"};

// Hundredths to a whole number, a half going to the even neighbour.
int32_t RoundHundredthsToEven(int32_t hundredths)
{
    int32_t whole = hundredths / 100;
    const int32_t rest = hundredths % 100;
    const int32_t magnitude = rest < 0 ? -rest : rest;
    if (magnitude > 50 || (magnitude == 50 && whole % 2 != 0))
        whole += rest < 0 ? -1 : 1;
    return whole;
}

TMeasurementsManager* MeasurementsManager = nullptr;

} // namespace

TMeasurementUnit TMeasurementsManager::CurrentUnit() const
{
    const int unit = CurrentOptions().General.Measurements;
    return unit > muPicas ? muMillimetres : TMeasurementUnit(unit);
}

std::string TMeasurementsManager::UnitSuffix() const
{
    return Suffixes[CurrentUnit()];
}

int32_t TMeasurementsManager::ToUnit(int32_t twips) const
{
    return ToUnitConversions[CurrentUnit()](twips);
}

int32_t TMeasurementsManager::FromUnit(int32_t hundredths) const
{
    return FromUnitConversions[CurrentUnit()](hundredths);
}

std::string TMeasurementsManager::FormatValue(int32_t twips) const
{
    const TMeasurementUnit unit = CurrentUnit();
    const int32_t hundredths = ToUnit(twips);
    if (unit == muPoints || unit == muMillimetres)
        return std::to_string(RoundHundredthsToEven(hundredths)) + Suffixes[unit];
    return FloatToStr(hundredths * 0.01L) + Suffixes[unit];
}

TMeasurementsManager* GetMeasurementsManager()
{
    if (!MeasurementsManager)
        MeasurementsManager = new TMeasurementsManager;
    return MeasurementsManager;
}

void FreeMeasurementsManager()
{
    delete MeasurementsManager;
    MeasurementsManager = nullptr;
}
