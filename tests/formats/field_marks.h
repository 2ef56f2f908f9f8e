// A check for the reader tests: every field of a document has one start and one end mark, start first.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "document/Document.h"
#include "document/InlineTags.h"

inline void ExpectFieldMarksPaired(const TDocument& doc, const std::string& context)
{
    std::map<int32_t, std::pair<int, int>> marks;
    for (auto& p : doc.Paragraphs) {
        const uint8_t* data = p->Text.Data();
        for (int32_t at = 0; at < p->Text.Size();) {
            if (data[at] != 0) {
                ++at;
                continue;
            }
            auto& m = marks[TagValue(data + at)];
            if (TagCode(data + at) == tcFieldStart)
                ++m.first;
            if (TagCode(data + at) == tcFieldEnd) {
                EXPECT_EQ(m.first, m.second + 1) << context;
                ++m.second;
            }
            at += InlineTagSize;
        }
    }
    for (auto& f : doc.Fields)
        EXPECT_EQ(marks[f->Handle], std::make_pair(1, 1)) << context;
}
