// The packaging tool of the build: appends the program's files to the setup program in its payload
// format. Use: qp_packsetup OUTPUT STUB ENTRY...; an entry is NAME=FILE, or NAME=text:FILE for a UTF-8
// text that ships in the Windows code page with CR LF line ends. Names are UTF-8, "\" between folders.
#include <iconv.h>
#include <sys/stat.h>

#include <ctime>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "setup/PayloadFormat.h"
#include "setup/packer/PackerFiles.h"

namespace {

std::string ToWindows1252(const std::string& text)
{
    iconv_t cd = iconv_open("CP1252", "UTF-8");
    if (cd == iconv_t(-1))
        throw std::runtime_error("no UTF-8 to CP1252 conversion");
    std::string out(text.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size(), outLeft = out.size();
    char* to = out.data();
    size_t rc = iconv(cd, &in, &inLeft, &to, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1))
        throw std::runtime_error("not representable in the Windows code page: " + text);
    out.resize(out.size() - outLeft);
    return out;
}

// Days from 1 January of year 0 in the proleptic Gregorian calendar.
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    long era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = unsigned(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + long(doe);
}

// The file's last-write time as the payload stores it: days since 30 December 1899, local time.
double FileTimeOf(const std::string& path)
{
    struct stat st;
    if (stat(path.c_str(), &st) != 0)
        throw std::runtime_error("cannot read " + path);
    std::tm local{};
    localtime_r(&st.st_mtime, &local);
    long days = DaysFromCivil(local.tm_year + 1900, unsigned(local.tm_mon + 1), unsigned(local.tm_mday)) -
                DaysFromCivil(1899, 12, 30);
    return double(days) + (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) / 86400.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "use: qp_packsetup OUTPUT STUB NAME=FILE|NAME=text:FILE...\n";
        return 2;
    }
    try {
        std::vector<uint8_t> setup = ReadWholeFile(argv[2]);
        std::vector<TPayloadItem> items;
        for (int i = 3; i < argc; ++i) {
            std::string arg = argv[i];
            size_t eq = arg.find('=');
            if (eq == std::string::npos)
                throw std::runtime_error("entry without a file: " + arg);
            TPayloadItem item;
            item.Name = ToWindows1252(arg.substr(0, eq));
            std::string file = arg.substr(eq + 1);
            bool text = file.rfind("text:", 0) == 0;
            if (text)
                file = file.substr(5);
            item.Data = ReadWholeFile(file);
            if (text) {
                std::string converted;
                for (char c : ToWindows1252(std::string(item.Data.begin(), item.Data.end()))) {
                    if (c == '\n')
                        converted += '\r';
                    converted += c;
                }
                item.Data.assign(converted.begin(), converted.end());
            }
            item.FileTime = FileTimeOf(file);
            items.push_back(std::move(item));
        }
        AppendPayload(setup, items);
        WriteWholeFile(argv[1], setup);
    } catch (const std::exception& e) {
        std::cerr << "qp_packsetup: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
