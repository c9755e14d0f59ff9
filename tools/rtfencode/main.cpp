// rtfencode INPUT OUTPUT
//
// Reads an RTF text written in UTF-8 and writes it as 7-bit RTF for the
// Windows-1251 code page: ASCII is copied unchanged, every character of the
// code page becomes \'hh, and anything else becomes \uN? (the reader skips the
// one "?" fallback). Invalid UTF-8 is an error, so a mis-saved source fails
// the build instead of showing garbage.

#include "cp1251.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

namespace {

// Decodes one UTF-8 sequence at `pos`; returns false on malformed input.
bool nextCodePoint(const std::string& in, std::size_t& pos, char32_t& out)
{
    const auto lead = static_cast<unsigned char>(in[pos]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return false;
    }
    if (pos + extra >= in.size())
        return false;  // cut short at the end of the file
    for (int i = 1; i <= extra; ++i) {
        const auto cont = static_cast<unsigned char>(in[pos + i]);
        if ((cont & 0xC0) != 0x80)
            return false;
        cp = (cp << 6) | (cont & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return false;
    pos += extra + 1;
    out = cp;
    return true;
}

void writeUnicodeEscape(std::string& out, char16_t unit)
{
    // RTF writes \u as a signed 16-bit number.
    const int value = unit > 0x7FFF ? int(unit) - 0x10000 : int(unit);
    out += "\\u" + std::to_string(value) + "?";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: rtfencode INPUT OUTPUT\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "rtfencode: cannot read " << argv[1] << "\n";
        return 1;
    }
    const std::string in((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());

    std::string out;
    out.reserve(in.size() * 2);
    std::size_t pos = in.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;  // byte order mark
    int line = 1;
    while (pos < in.size()) {
        char32_t cp = 0;
        if (!nextCodePoint(in, pos, cp)) {
            std::cerr << argv[1] << ":" << line << ": invalid UTF-8\n";
            return 1;
        }
        if (cp == '\n')
            ++line;
        if (cp < 0x80) {
            out += char(cp);
            continue;
        }
        const int byte = cp1251::fromUnicode(cp);
        if (byte >= 0) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\'";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else if (cp > 0xFFFF) {
            const char32_t v = cp - 0x10000;
            writeUnicodeEscape(out, char16_t(0xD800 + (v >> 10)));
            writeUnicodeEscape(out, char16_t(0xDC00 + (v & 0x3FF)));
        } else {
            writeUnicodeEscape(out, char16_t(cp));
        }
    }

    std::ofstream result(argv[2], std::ios::binary | std::ios::trunc);
    result << out;
    if (!result) {
        std::cerr << "rtfencode: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
