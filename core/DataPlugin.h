// Data-container files ("modules additionnels"): a signature, then a list of named elements that may
// nest, read on demand.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/runtime/Exceptions.h"

class TStream;
class TDataPlugin;

// A malformed element list: an element that overruns its range or is shorter than its own header.
class EDataPluginError : public Exception {
public:
    using Exception::Exception;
};

// One element: its name, its kind byte and where its data lies in the file.
struct TDPElement {
    std::string Name;
    uint8_t Kind = 0;
    int64_t DataStart = 0;
    int64_t DataEnd = 0;
    TDataPlugin* Plugin = nullptr;

    int64_t GetSize() const { return DataEnd - DataStart; }
    // The whole data; raises when the file cannot give it.
    std::vector<uint8_t> ReadData() const;
    std::string ReadText() const;
};

// The elements that exactly fill a range of the file, indexed at once; their data is not read.
class TDPElementList {
public:
    // Raises EDataPluginError when the range does not hold a well-formed list.
    TDPElementList(int64_t start, int64_t end, TDataPlugin* plugin);

    int Count() const { return static_cast<int>(Elements.size()); }
    const TDPElement& Element(int index) const { return *Elements[static_cast<size_t>(index)]; }
    // The first element of that name (letter case counts), or none.
    const TDPElement* FindElement(const std::string& name) const;
    std::string GetText(const std::string& name, const std::string& def) const;

private:
    std::vector<std::unique_ptr<TDPElement>> Elements;
};

class TDataPlugin {
public:
    TDataPlugin();
    ~TDataPlugin();
    TDataPlugin(const TDataPlugin&) = delete;
    TDataPlugin& operator=(const TDataPlugin&) = delete;

    // Opens and indexes the file. A file that cannot be opened offers Retry and Cancel; a wrong
    // signature or a malformed list says the file is not valid. False unless the file is open.
    bool Open(const std::string& fileName, uint32_t signature);
    bool IsOpen() const { return FElements != nullptr; }
    const std::string& FileName() const { return FFileName; }
    // The top-level elements; none until the file is open.
    const TDPElementList* Elements() const { return FElements.get(); }
    // The text of "AUTHORINFO" with "||" as line breaks; empty when there is none.
    std::string GetAuthorInfo() const;
    // The bytes [start, start + count) of the file; raises when the file has fewer.
    std::vector<uint8_t> ReadRange(int64_t start, int64_t count);

private:
    friend class TDPElementList;
    std::string FFileName;
    std::unique_ptr<TStream> FStream;
    int64_t FSize = 0;
    std::unique_ptr<TDPElementList> FElements;
};

// The signature of sound schemes.
constexpr uint32_t SoundSchemeSignature = 0xAFE54C04;

// The name as given when that file exists; else the data folder's file of the same bare name when
// that one exists; else the name as given.
std::string ResolvePluginFileName(const std::string& fileName);
