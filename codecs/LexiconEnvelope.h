// Compressed lexicons: the signature 01 4C E5 BF followed by one zlib stream of the lexicon itself.
#pragma once
#include <string>
#include <string_view>

inline constexpr char CompressedLexiconSignature[4] = {'\x01', '\x4C', '\xE5', '\xBF'};

// True when the file begins with the signature of a compressed lexicon.
bool IsCompressedLexiconFile(const std::string& fileName);

// Inflates a compressed lexicon into a new file, in pieces of 16,384 bytes; false (and no file left) when
// the source cannot be read, its stream is damaged or does not end where the file ends, or writing fails.
bool InflateLexiconFile(const std::string& source, const std::string& destination);

// A lexicon wrapped in the signature and one zlib stream.
std::string CompressLexicon(std::string_view lexicon);
