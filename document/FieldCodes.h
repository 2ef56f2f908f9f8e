// Field codes: splitting a code into its words and reading a hyperlink's address and tooltip.
#pragma once
#include <string>
#include <string_view>
#include <vector>

// The words of a field code: split at blanks outside double quotes and after each quoted part, runs of
// backslashes made one, the quotes around a word taken off, empty words dropped.
std::vector<std::string> SplitFieldCode(std::string_view code);
// The address of a hyperlink code ("\l" adds "#" and a bookmark to it) and its tooltip ("\o").
void ParseHyperlinkFieldCode(std::string_view code, std::string& address, std::string& tooltip);
