// The six title-bar glyphs embedded in the program: 16-colour bitmaps with
// exactly the patterns the buttons show, each W glyph the inverse of its B.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <orlodock/tk/bitmap.h>
#include <orlodock/tk/exceptions.h>
#include <orlodock/tk/graphics.h>

namespace {

struct Glyph {
    const char* name;
    std::vector<std::string> rows; // 'X' black in the B glyph
};

const std::vector<Glyph>& Glyphs() {
    static const std::vector<Glyph> glyphs = {
        {"ORLO_CLOSE",
         {"..........", ".XX....XX.", ".XXX..XXX.", "..XXXXXX..", "...XXXX...", "...XXXX...", "..XXXXXX..",
          ".XXX..XXX.", ".XX....XX.", ".........."}},
        {"ORLO_PINNED",
         {"..XXXXX..", "..X..XX..", "..X..XX..", "..X..XX..", "..X..XX..", ".XXXXXXX.", "....X....", "....X....",
          "....X...."}},
        {"ORLO_UNPINNED",
         {".........", "...X.....", "...XXXXXX", "...X....X", "XXXX....X", "...XXXXXX", "...XXXXXX", "...X.....",
          "........."}},
    };
    return glyphs;
}

tk::Bitmap Load(const std::string& name) {
    tk::Bitmap bmp;
    bmp.LoadFromResourceName(tk::String::fromStdString(name));
    return bmp;
}

TEST(GlyphResources, EachGlyphHasItsPatternInBlackOnWhiteAndTheInverse) {
    for (const Glyph& g : Glyphs()) {
        const std::string base = g.name;
        tk::Bitmap black = Load(base + "_B");
        tk::Bitmap white = Load(base + "_W");
        const int h = static_cast<int>(g.rows.size());
        const int w = static_cast<int>(g.rows[0].size());
        ASSERT_EQ(black.Width(), w) << base;
        ASSERT_EQ(black.Height(), h) << base;
        ASSERT_EQ(white.Width(), w) << base;
        ASSERT_EQ(white.Height(), h) << base;
        EXPECT_EQ(black.PixelFormat(), tk::pf4bit) << base;
        EXPECT_EQ(white.PixelFormat(), tk::pf4bit) << base;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool ink = g.rows[y][x] == 'X';
                EXPECT_EQ(black.Pixel(x, y), ink ? tk::clBlack : tk::clWhite) << base << "_B at " << x << "," << y;
                EXPECT_EQ(white.Pixel(x, y), ink ? tk::clWhite : tk::clBlack) << base << "_W at " << x << "," << y;
            }
        }
    }
}

TEST(GlyphResources, UnknownNameIsAResourceError) {
    tk::Bitmap bmp;
    EXPECT_THROW(bmp.LoadFromResourceName("ORLO_MISSING_B"), tk::EResNotFound);
}

} // namespace
