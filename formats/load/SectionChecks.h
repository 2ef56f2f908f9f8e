// What every reader does to the sections it filled: page setups within bounds, column counts and
// widths that fit.
#pragma once

class TDocument;

// Brings each section's page setup within bounds and its column count to 1..64; columns of their own
// widths that do not fit the text width are made equal. The section ranges and column widths are
// then stale.
void SettleSectionColumns(TDocument& document);
