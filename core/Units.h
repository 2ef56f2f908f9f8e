// Measurement units: twips to and from the user's unit and the units of other formats.
#pragma once
#include <cstdint>
#include <string>

// v × a / b with a 64-bit product, rounded half away from zero (b must not be 0); a result beyond the
// 32-bit range is held at its limit.
int32_t MulDivRound(int32_t v, int32_t a, int32_t b);

int32_t TwipsToTenthsOfMM(int32_t v); // also hundredths of a centimetre
int32_t TwipsToHundredthsOfInch(int32_t v);
int32_t TwipsToHundredthsOfPoint(int32_t v); // in steps of a tenth of a point
int32_t TwipsTo600Dpi(int32_t v);            // also hundredths of a pica
int32_t TwipsToHundredthsOfMM(int32_t v);    // in steps of a tenth of a millimetre
int32_t TenthsOfMMToTwips(int32_t v);        // also from hundredths of a centimetre
int32_t HundredthsOfInchToTwips(int32_t v);
int32_t HundredthsOfPointToTwips(int32_t v);
int32_t Dots600ToTwips(int32_t v); // also from hundredths of a pica
int32_t HundredthsOfMMToTwips(int32_t v);

// The units of the setting "Measurements".
enum TMeasurementUnit : int { muCentimetres = 0, muInches = 1, muPoints = 2, muPicas = 3, muMillimetres = 4 };

// Lengths in the user's unit of measure, kept as hundredths of the unit; reads the setting at each call.
class TMeasurementsManager {
public:
    // The unit in force (any setting above picas counts as millimetres).
    TMeasurementUnit CurrentUnit() const;
    std::string UnitSuffix() const;
    int32_t ToUnit(int32_t twips) const;
    int32_t FromUnit(int32_t hundredths) const;
    // The length in the unit with its suffix, in the locale's number format.
    std::string FormatValue(int32_t twips) const;
};

TMeasurementsManager* GetMeasurementsManager();
void FreeMeasurementsManager();
