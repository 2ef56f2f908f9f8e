// Dates and times as a number of days since 30 December 1899, the fraction being the time of day.
#pragma once
#include <cstdint>

using TDateTime = double;

// Encoding raises EConvertError for a date or time that does not exist (years 1 to 9999).
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);
bool TryEncodeDate(int year, int month, int day, TDateTime& date);
bool TryEncodeTime(int hour, int minute, int second, int millisecond, TDateTime& time);
// A date and a time of day together; before 30 December 1899 the time counts backwards from the
// (negative) day, so that the fraction always reads as the time of that day.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& millisecond);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The local date and time now.
TDateTime Now();
// Today at midnight.
TDateTime Date();
