// The counts of the statistics command and of the statistics fields.
#pragma once
#include <cstdint>
#include <string>

class TDocument;

// Pages, words, sentences, characters without and with spaces, paragraphs, lines, pictures, the file's
// size in bytes and its coding.
struct TDocStatistics {
    int32_t Pages = 0;
    int32_t Words = 0;
    int32_t Sentences = 0;
    int32_t CharsWithoutSpaces = 0;
    int32_t CharsWithSpaces = 0;
    int32_t Paragraphs = 0;
    int32_t Lines = 0;
    int32_t Pictures = 0;
    int32_t FileSize = 0;
    int32_t Coding = 0;
};
static_assert(sizeof(TDocStatistics) == 40);

// Counts characters From to To - 1 of a paragraph's plain text into the record. Unless mode flag
// mfStatisticsCharsOnly is set, the paragraph, its lines and its sentences are counted too.
void StatisticsCountPiece(TDocument& document, int32_t paragraph, int32_t from, int32_t to,
                          TDocStatistics& stats);
// Counts the sentences that begin within the piece.
void StatisticsCountSentences(TDocument& document, int32_t paragraph, int32_t from, int32_t to,
                              TDocStatistics& stats);
// The text of the statistics message, the dates of the document's information following the counts.
std::string FormatStatisticsMessage(const TDocStatistics& stats, const std::string& codingName,
                                    double creationDate, double lastSaveDate, const std::string& lastAuthor,
                                    double printDate);
