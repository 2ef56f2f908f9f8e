// Windows-1252 text in the engine: conversion to and from UTF-8 and the letter classes of its bytes.
#pragma once
#include <string>
#include <string_view>

namespace cp1252 {

// The UTF-8 form of Windows-1252 text (bytes that the code page leaves undefined keep their value as a code
// point).
std::string ToUtf8(std::string_view text);

// The Windows-1252 form of UTF-8 text; false when the text is not UTF-8 or holds a character the code page
// lacks.
bool FromUtf8(std::string_view text, std::string& out);

bool IsUpper(unsigned char c);
bool IsLower(unsigned char c);
inline bool IsLetter(unsigned char c)
{
    return IsUpper(c) || IsLower(c);
}
inline bool IsDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}
char ToLower(char c);
char ToUpper(char c);
std::string Lower(std::string_view text);

} // namespace cp1252
