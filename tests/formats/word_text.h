// The text of a document read from a Word or Write file, and its words, for comparing with what
// independent tools extract from the same file.
#pragma once
#include <map>
#include <string>

class TDocument;

namespace wordtest {

// The main story's text in UTF-8: one line per paragraph, tabs as spaces, special characters as the
// characters they stand for.
std::string MainText(const TDocument& document);
// Words (runs of letters and digits) and how often each occurs.
std::map<std::string, int> WordCounts(const std::string& utf8);
// The share of Expected's words (with their counts) that Actual also holds; 1 when Expected has none.
double WordRecall(const std::string& actual, const std::string& expected);
// The stories' paragraph counts add up to the document's paragraphs, and the main text has one.
bool StoriesAddUp(const TDocument& document);
// Loads the bytes through the real load from a memory block, quietly: a document whose stories add up,
// or a clean refusal (a failure names What).
void ExpectLoadsCleanly(const std::string& bytes, const std::string& what);
// The folder of real files from public test suites, or empty when it is not there.
std::string CorpusDir();

} // namespace wordtest
