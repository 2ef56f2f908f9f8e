// Tables of contents built from the headings, and the styles they need imported or made.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/FormatRecords.h"

class TDocument;
class TOperation;
class TStyleList;
struct TTableOfContentsOptions;

// Built-in style ids of the table's parts.
constexpr int32_t TocTitleStyleId = 91;
constexpr int32_t FirstTocStyleId = 19; // "TOC 1"; "TOC N" is 18 + N

// A document to take styles from: the named template, or with an empty name the document's own
// template; installed by the file formats (none where it is not installed or the file does not load).
using TStyleSourceLoader = std::unique_ptr<TDocument> (*)(TDocument& document, const std::string& fileName);
extern TStyleSourceLoader StyleSourceLoader;

// Builds the table of contents at the selection (or rebuilds the one there) as steps of one operation:
// an entry paragraph per heading, each a hyperlink to a bookmark on its heading with a page reference,
// the whole in a "TOC" field and a bookmark. A table found there is deleted even when no heading is left
// to list, so that undoing brings it back.
void BuildTableOfContents(TDocument& doc, const TTableOfContentsOptions& options, TChangedRange& range,
                          TOperation* operation);
// Makes "TOC Title" and "TOC 1" to "TOC Levels" exist in the document's style list: imported from the
// sources in order (the first may replace the document's own when Replace is set), the rest created.
void EnsureTocStyles(TDocument& doc, int32_t levels, const std::vector<const TStyleList*>& sources,
                     bool replaceFromFirst, TChangedRange& range, TOperation* operation);
// Appends one missing table style (built-in id 91 or 19..27) to a list.
void CreateTocStyle(TStyleList& list, int32_t id);
// Whether an entry paragraph needs the table's right-aligned stop: it has no tab table of its own, or
// one that is not a single right-aligned stop of that leader at or before the position.
bool TocEntryNeedsTab(const TDocument& doc, int32_t paragraph, int32_t position, int32_t leader);
// "Header" and "Footer" taken from the document's template when the document lacks them (the program's
// default styles getting a centred and a right stop at the text width).
void ImportTemplateStyles(TDocument& doc, TChangedRange& range, TOperation* operation);
