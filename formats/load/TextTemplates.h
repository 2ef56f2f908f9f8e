// The formats that plain-text files take from their coding's template document.
#pragma once
#include <string>

class TDocument;
struct TPlainTextFormats;

// Unless the file lies in the templates folder, gives the document the style list, page setup, tab
// width and document settings of its coding's template, and Formats the character format at the
// template's start and the format of its first paragraph. False (nothing changed) without a template.
bool ApplyCodingTemplate(TDocument& document, int coding, const std::string& fileName,
                         TPlainTextFormats& formats);
