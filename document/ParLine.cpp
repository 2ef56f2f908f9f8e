// The character boundaries of a line and what a line keeps of its place on a page.
#include "document/ParLine.h"

#include <algorithm>
#include <cstdlib>

#include "document/Page.h"

namespace {

constexpr uint32_t ItalicBit = 0x80000000u;
constexpr uint32_t SignBit = 0x40000000u;
constexpr uint32_t MagnitudeMask = 0x3FFFFFFFu;

uint32_t Pack(int32_t x)
{
    if (x < 0)
        return SignBit | (static_cast<uint32_t>(-static_cast<int64_t>(x)) & MagnitudeMask);
    return static_cast<uint32_t>(x) & MagnitudeMask;
}

} // namespace

TParLine::~TParLine()
{
    // A line that a page still shows leaves the page's list.
    if (Page) {
        std::vector<TParLine*>& lines = Page->Lines;
        const size_t at = static_cast<size_t>(PageLineIndex);
        if (at < lines.size() && lines[at] == this) {
            lines.erase(lines.begin() + PageLineIndex);
            for (size_t i = at; i < lines.size(); ++i)
                lines[i]->PageLineIndex = static_cast<int32_t>(i);
        }
    }
    std::free(XBuffer);
}

int32_t TParLine::DecodeCharX(int32_t n) const
{
    const uint32_t e = static_cast<uint32_t>(XBuffer[n]);
    const int32_t magnitude = static_cast<int32_t>(e & MagnitudeMask);
    return (e & SignBit) ? -magnitude : magnitude;
}

void TParLine::SetCharX(int32_t n, int32_t x)
{
    const uint32_t italic = static_cast<uint32_t>(XBuffer[n]) & ItalicBit;
    XBuffer[n] = static_cast<int32_t>(italic | Pack(x));
}

void TParLine::AddToCharX(int32_t n, int32_t delta)
{
    SetCharX(n, DecodeCharX(n) + delta);
}

bool TParLine::GetItalicBit(int32_t n) const
{
    return (static_cast<uint32_t>(XBuffer[n]) & ItalicBit) != 0;
}

void TParLine::SetItalicBit(int32_t n, bool italic)
{
    uint32_t e = static_cast<uint32_t>(XBuffer[n]);
    e = italic ? e | ItalicBit : e & ~ItalicBit;
    XBuffer[n] = static_cast<int32_t>(e);
}

void TParLine::ReserveCharX(int32_t count)
{
    const int32_t bytes = (count + 1) * 4;
    if (bytes > XCapacity)
        TMemory::ResizeBuffer(XBuffer, XCapacity, bytes);
}

void TParLine::AppendCharX(int32_t x, bool italic)
{
    ReserveCharX(CharCount + 1);
    XBuffer[CharCount + 1] = static_cast<int32_t>((italic ? ItalicBit : 0) | Pack(x));
}

TParLineOnPageInfo::TParLineOnPageInfo(const TParLine& line)
    : Page(line.Page), PageLineIndex(line.PageLineIndex), Y(line.Y), ColumnIndex(line.ColumnIndex),
      Overhang(line.Overhang), Height(line.Height)
{}

void TParLineOnPageInfo::RestoreTo(TParLine& line) const
{
    line.Page = Page;
    line.PageLineIndex = PageLineIndex;
    line.Y = Y;
    line.ColumnIndex = ColumnIndex;
    line.Overhang = Overhang;
    line.Height = Height;
}

void TParLine::CharSpanInX(int32_t x1, int32_t x2, int32_t& first, int32_t& end) const
{
    first = end = 0;
    if (!XBuffer)
        return;
    first = CharCount;
    for (int32_t n = 0; n < CharCount; ++n) {
        const int32_t middle = (DecodeCharX(n) + DecodeCharX(n + 1)) / 2;
        if (middle < x1)
            continue;
        if (first == CharCount)
            first = n;
        if (middle >= x2)
            break;
        end = n + 1;
    }
    end = std::max(end, first);
}
