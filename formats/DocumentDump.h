// A deterministic text form of a document (paragraphs with their formats and inline tags), which the
// reader and writer tests compare with what they expect.
#pragma once
#include <string>

class TDocument;

// One line per paragraph: its index, the paragraph-format fields that differ from the default, and its
// text with each tag in angle brackets (fonts by name). Bytes outside printable ASCII are written as \'hh;
// sections, fields and objects are numbered in the order the dump meets them. The paragraphs of stories 1 to
// 3 follow headings; the fields the text marks, then the pictures and objects, follow the paragraphs. With
// Whole, the sections, styles, note settings and document information come last.
std::string DumpDocument(const TDocument& document, bool whole = false);
