// The build's tool that makes a sound scheme: a data-container file of "SOUND" elements, each holding the
// name of its program event and its wave file compressed as one zlib stream, with the author's text.
// Use: qp_packsounds OUTPUT AUTHOR EVENT=FILE.wav...
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "setup/PayloadFormat.h"
#include "setup/packer/PackerFiles.h"

namespace {

using TBytes = std::vector<uint8_t>;

// The signature of sound schemes, stored little-endian.
constexpr uint32_t SoundSchemeSignature = 0xAFE54C04;

void PutU32(TBytes& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

// One element: its length, its kind, its name and its data.
TBytes Element(const std::string& name, const TBytes& data)
{
    if (name.size() > 255)
        throw std::runtime_error("element name too long: " + name);
    TBytes out;
    PutU32(out, uint32_t(2 + name.size() + data.size()));
    out.push_back(0);
    out.push_back(uint8_t(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

TBytes Text(const std::string& text)
{
    return TBytes(text.begin(), text.end());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::cerr << "use: qp_packsounds OUTPUT AUTHOR EVENT=FILE.wav...\n";
        return 2;
    }
    try {
        TBytes scheme;
        PutU32(scheme, SoundSchemeSignature);
        TBytes author = Element("AUTHORINFO", Text(argv[2]));
        scheme.insert(scheme.end(), author.begin(), author.end());
        for (int i = 3; i < argc; ++i) {
            std::string arg = argv[i];
            size_t eq = arg.find('=');
            if (eq == std::string::npos || eq == 0)
                throw std::runtime_error("entry without an event: " + arg);
            TBytes wave = ReadWholeFile(arg.substr(eq + 1));
            if (wave.size() < 12 || std::string(wave.begin(), wave.begin() + 4) != "RIFF")
                throw std::runtime_error("not a wave file: " + arg.substr(eq + 1));
            TBytes sound = Element("EVENT", Text(arg.substr(0, eq)));
            TBytes packed = Element("WAVE", CompressBlock(wave.data(), wave.size()));
            sound.insert(sound.end(), packed.begin(), packed.end());
            TBytes element = Element("SOUND", sound);
            scheme.insert(scheme.end(), element.begin(), element.end());
        }
        WriteWholeFile(argv[1], scheme);
    } catch (const std::exception& e) {
        std::cerr << "qp_packsounds: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
