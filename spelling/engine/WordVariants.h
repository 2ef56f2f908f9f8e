// The spellings a writer may have meant by a word the lexicons reject: the ligatures œ and æ written out as
// "oe" and "ae", and capitals written without their accents ("EDITION" for "ÉDITION").
#pragma once
#include <functional>
#include <string>

// Offers each variant of a Windows-1252 word to accept, fewest changes first, until it returns true; true
// when one was accepted. The number of variants offered is bounded.
bool TryWordVariants(const std::string& word, const std::function<bool(const std::string&)>& accept);
