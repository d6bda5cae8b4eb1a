// make_font_sheet.cpp -- writes the glyph sheet data/font.bmp from two X11 PCF bitmap fonts
//
// Set 0 (sheet rows 0 to 5) comes from the first font, set 1 (rows 8 to 13) from the second;
// by default the bold and the medium 9x15 "fixed" fonts, which are public domain. Each glyph
// sits one pixel in from the left and top of its 16x16 cell, so that at the font's 11-unit
// advance two pixels separate neighbours. Code 127 has no printable character and shows U+2302
// (a small house) or another stand-in that both fonts have.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/little_endian.h"
#include "tools/tool_options.h"

namespace {

const char DefaultSet0[] = "/usr/share/fonts/X11/misc/9x15B.pcf.gz";
const char DefaultSet1[] = "/usr/share/fonts/X11/misc/9x15.pcf.gz";
const char DefaultOut[] = "data/font.bmp";
const char Usage[] =
    "usage: make-font-sheet [SET0.pcf.gz SET1.pcf.gz OUT.bmp]\n"
    "draws glyph set 0 from the first X11 PCF font and set 1 from the second into a glyph sheet;\n"
    "default: /usr/share/fonts/X11/misc/9x15B.pcf.gz /usr/share/fonts/X11/misc/9x15.pcf.gz "
    "data/font.bmp\n";

constexpr int SheetSide = 256;
constexpr int CellSide = 16;
constexpr int GlyphLeft = 1;
constexpr int GlyphTop = 1;
// Stand-ins for code 127, the first one that both fonts have is drawn: a small house, a shaded
// block, a hollow square.
constexpr unsigned Code127StandIns[] = {0x2302, 0x2592, 0x25A1};

// Table types and format bits of the PCF format.
constexpr uint32_t PcfMetrics = 1 << 2;
constexpr uint32_t PcfBitmaps = 1 << 3;
constexpr uint32_t PcfEncodings = 1 << 5;
constexpr uint32_t PcfCompressedMetrics = 0x100;
constexpr uint32_t PcfMostSignificantByteFirst = 1 << 2;
constexpr uint32_t PcfMostSignificantBitFirst = 1 << 3;

struct GlyphMetrics {
    int left, right, width, ascent, descent;
};

struct Font {
    std::vector<uint8_t> file;
    std::vector<GlyphMetrics> metrics;
    std::vector<uint32_t> bitmapOffsets;
    size_t bitmapsAt = 0;
    uint32_t bitmapFormat = 0;
    int firstColumn = 0, lastColumn = -1, firstRow = 0, lastRow = -1;
    std::vector<uint16_t> glyphOfCode;
};

// Reads integers of a table in the byte order its format names; throws on a short table.
struct TableReader {
    const std::vector<uint8_t>& file;
    size_t at;
    bool bigEndian;

    uint32_t bytes(int count) {
        if (at + count > file.size()) throw std::string("truncated font table");
        uint32_t value = 0;
        for (int i = 0; i < count; ++i) {
            const uint32_t byte = file[at + i];
            value |= bigEndian ? byte << (8 * (count - 1 - i)) : byte << (8 * i);
        }
        at += count;
        return value;
    }
    uint32_t u32() { return bytes(4); }
    int s16() { return int16_t(bytes(2)); }
    unsigned u16() { return bytes(2); }
    int u8() { return int(bytes(1)); }
};

std::vector<uint8_t> readGzip(const char* path) {
    gzFile in = gzopen(path, "rb");
    if (!in) throw std::string("cannot open ") + path;
    std::vector<uint8_t> data;
    uint8_t buffer[65536];
    int n;
    while ((n = gzread(in, buffer, sizeof buffer)) > 0) data.insert(data.end(), buffer, buffer + n);
    gzclose(in);
    if (n < 0) throw std::string("cannot read ") + path;
    return data;
}

// The table's reader, past its format word.
TableReader openTable(const Font& font, uint32_t type, uint32_t* format) {
    TableReader toc{font.file, 0, false};
    if (toc.u32() != 0x70636601) throw std::string("not a PCF font");
    const uint32_t tables = toc.u32();
    for (uint32_t i = 0; i < tables; ++i) {
        const uint32_t tableType = toc.u32();
        toc.u32();
        toc.u32();
        const uint32_t offset = toc.u32();
        if (tableType != type) continue;
        TableReader table{font.file, offset, false};
        *format = table.u32();
        table.bigEndian = (*format & PcfMostSignificantByteFirst) != 0;
        return table;
    }
    throw std::string("font table missing");
}

void readMetrics(Font* font) {
    uint32_t format;
    TableReader t = openTable(*font, PcfMetrics, &format);
    if (format & PcfCompressedMetrics) {
        const unsigned count = t.u16();
        for (unsigned i = 0; i < count; ++i) {
            GlyphMetrics m;
            m.left = t.u8() - 0x80;
            m.right = t.u8() - 0x80;
            m.width = t.u8() - 0x80;
            m.ascent = t.u8() - 0x80;
            m.descent = t.u8() - 0x80;
            font->metrics.push_back(m);
        }
    } else {
        const uint32_t count = t.u32();
        for (uint32_t i = 0; i < count; ++i) {
            GlyphMetrics m;
            m.left = t.s16();
            m.right = t.s16();
            m.width = t.s16();
            m.ascent = t.s16();
            m.descent = t.s16();
            t.u16();
            font->metrics.push_back(m);
        }
    }
}

void readBitmaps(Font* font) {
    TableReader t = openTable(*font, PcfBitmaps, &font->bitmapFormat);
    const uint32_t count = t.u32();
    for (uint32_t i = 0; i < count; ++i) font->bitmapOffsets.push_back(t.u32());
    for (int i = 0; i < 4; ++i) t.u32();
    font->bitmapsAt = t.at;
}

void readEncodings(Font* font) {
    uint32_t format;
    TableReader t = openTable(*font, PcfEncodings, &format);
    font->firstColumn = t.s16();
    font->lastColumn = t.s16();
    font->firstRow = t.s16();
    font->lastRow = t.s16();
    t.s16(); // default character
    const int count =
        (font->lastColumn - font->firstColumn + 1) * (font->lastRow - font->firstRow + 1);
    for (int i = 0; i < count; ++i) font->glyphOfCode.push_back(uint16_t(t.u16()));
}

Font readFont(const char* path) {
    Font font;
    font.file = readGzip(path);
    readMetrics(&font);
    readBitmaps(&font);
    readEncodings(&font);
    return font;
}

// Index of the glyph for a Unicode code point, or -1.
int glyphIndex(const Font& font, unsigned code) {
    const int row = int(code >> 8), column = int(code & 0xFF);
    if (row < font.firstRow || row > font.lastRow || column < font.firstColumn ||
        column > font.lastColumn)
        return -1;
    const size_t at = size_t(row - font.firstRow) * (font.lastColumn - font.firstColumn + 1) +
                      (column - font.firstColumn);
    const uint16_t glyph = font.glyphOfCode[at];
    if (glyph == 0xFFFF || glyph >= font.metrics.size() || glyph >= font.bitmapOffsets.size())
        return -1;
    return glyph;
}

// Whether pixel x of row y of a glyph is set, honouring the bitmap table's padding and bit order.
bool glyphPixel(const Font& font, int glyph, int x, int y) {
    const GlyphMetrics& m = font.metrics[glyph];
    const int pad = 1 << (font.bitmapFormat & 3);
    const int rowBytes = ((m.right - m.left + 7) / 8 + pad - 1) / pad * pad;
    const bool bitsFromTop = (font.bitmapFormat & PcfMostSignificantBitFirst) != 0;
    const bool bytesFromTop = (font.bitmapFormat & PcfMostSignificantByteFirst) != 0;
    // Rows are stored in scan units of 1, 2 or 4 bytes, whose bytes run against the bits
    // when the two orders differ.
    const int unit = 1 << ((font.bitmapFormat >> 4) & 3);
    int byte = x / 8;
    if (bitsFromTop != bytesFromTop) byte = byte / unit * unit + (unit - 1 - byte % unit);
    const size_t at = font.bitmapsAt + font.bitmapOffsets[glyph] + size_t(y) * rowBytes + byte;
    if (at >= font.file.size()) throw std::string("glyph bitmap outside the font");
    const int bit = bitsFromTop ? 7 - x % 8 : x % 8;
    return (font.file[at] >> bit) & 1;
}

int fontAscent(const Font& font) {
    int ascent = 0;
    for (unsigned code = 32; code < 127; ++code) {
        const int glyph = glyphIndex(font, code);
        if (glyph >= 0 && font.metrics[glyph].ascent > ascent) ascent = font.metrics[glyph].ascent;
    }
    return ascent;
}

unsigned code127StandIn(const Font& set0, const Font& set1) {
    for (unsigned code : Code127StandIns)
        if (glyphIndex(set0, code) >= 0 && glyphIndex(set1, code) >= 0) return code;
    return 0;
}

// sheet: top row first, one byte per pixel, 0 or 255. Code 127 is left blank without a stand-in.
void drawSet(const Font& font, int firstCell, unsigned standIn, std::vector<uint8_t>* sheet) {
    const int baseline = GlyphTop + fontAscent(font);
    for (unsigned code = 32; code <= 127; ++code) {
        const int glyph = glyphIndex(font, code == 127 ? standIn : code);
        if (glyph < 0) {
            if (code != 127) throw std::string("font lacks a printable ASCII character");
            continue;
        }
        const GlyphMetrics& m = font.metrics[glyph];
        const int cell = firstCell + int(code) - 32;
        const int cellX = cell % 16 * CellSide, cellY = cell / 16 * CellSide;
        for (int y = 0; y < m.ascent + m.descent; ++y) {
            for (int x = 0; x < m.right - m.left; ++x) {
                const int sx = GlyphLeft + m.left + x, sy = baseline - m.ascent + y;
                if (sx < 0 || sx >= CellSide || sy < 0 || sy >= CellSide) continue;
                if (glyphPixel(font, glyph, x, y))
                    (*sheet)[size_t(cellY + sy) * SheetSide + cellX + sx] = 255;
            }
        }
    }
}

// A 24-bit BMP with file header and 40-byte info header, bottom row first.
std::vector<uint8_t> sheetFile(const std::vector<uint8_t>& sheet) {
    const uint32_t pixelBytes = SheetSide * SheetSide * 3;
    std::vector<uint8_t> out = {'B', 'M'};
    put32(&out, 54 + pixelBytes);
    put32(&out, 0);
    put32(&out, 54);
    put32(&out, 40);
    put32(&out, SheetSide);
    put32(&out, SheetSide);
    put16(&out, 1);
    put16(&out, 24);
    put32(&out, 0);
    put32(&out, pixelBytes);
    put32(&out, 2835);
    put32(&out, 2835);
    put32(&out, 0);
    put32(&out, 0);
    for (int y = SheetSide - 1; y >= 0; --y)
        for (int x = 0; x < SheetSide; ++x)
            for (int channel = 0; channel < 3; ++channel)
                out.push_back(sheet[size_t(y) * SheetSide + x]);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (isOption(argv[i])) return answerOption("make-font-sheet", Usage, argv[i]);
    if (argc != 1 && argc != 4) {
        std::fprintf(stderr, "make-font-sheet: give all three files or none\n%s", Usage);
        return 2;
    }
    const char* set0 = argc == 4 ? argv[1] : DefaultSet0;
    const char* set1 = argc == 4 ? argv[2] : DefaultSet1;
    const char* outPath = argc == 4 ? argv[3] : DefaultOut;
    try {
        std::vector<uint8_t> sheet(SheetSide * SheetSide, 0);
        const Font font0 = readFont(set0), font1 = readFont(set1);
        const unsigned standIn = code127StandIn(font0, font1);
        drawSet(font0, 0, standIn, &sheet);
        drawSet(font1, 128, standIn, &sheet);
        const std::vector<uint8_t> file = sheetFile(sheet);
        FILE* out = std::fopen(outPath, "wb");
        if (!out) throw std::string("cannot write ") + outPath;
        const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
        if (std::fclose(out) != 0 || !written) throw std::string("cannot write ") + outPath;
    } catch (const std::string& error) {
        std::fprintf(stderr, "make-font-sheet: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
