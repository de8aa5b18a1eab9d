// Pictures at print resolution through plotari-cli: --dpi 150, 300 and 600 draw the whole
// sheet again at that resolution and record it in the file (PNG pHYs, BMP pixels per metre,
// JPEG density); 96 dpi is the paper's picture exactly as it always was.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "cli_run.h"
#include "support/temp_dir.h"

using cli_run::Outcome;
using cli_run::Read_File;
using cli_run::Run_Cli;

namespace {

uint32_t Big(const std::string& b, size_t at) {
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint32_t(uint8_t(b[at + 3]));
}
uint32_t Little(const std::string& b, size_t at) {
    return uint32_t(uint8_t(b[at])) | (uint32_t(uint8_t(b[at + 1])) << 8) |
           (uint32_t(uint8_t(b[at + 2])) << 16) | (uint32_t(uint8_t(b[at + 3])) << 24);
}

struct Facts {
    uint32_t width = 0, height = 0;
    double dpi = 0;  // 0: the file says none
};

// Read from the files' own headers.
Facts Png(const std::string& b) {
    Facts f;
    if (b.size() < 24 || b.compare(1, 3, "PNG") != 0) return f;
    f.width = Big(b, 16);
    f.height = Big(b, 20);
    const size_t phys = b.find("pHYs");
    if (phys != std::string::npos && phys + 13 <= b.size() && b[phys + 12] == 1) {
        f.dpi = Big(b, phys + 4) * 0.0254;
    }
    return f;
}
Facts Bmp(const std::string& b) {
    Facts f;
    if (b.size() < 54 || b.compare(0, 2, "BM") != 0) return f;
    f.width = Little(b, 18);
    f.height = Little(b, 22);
    f.dpi = Little(b, 38) * 0.0254;
    return f;
}
Facts Jpeg(const std::string& b) {
    Facts f;
    const size_t jfif = b.find(std::string("JFIF\0", 5));
    if (jfif != std::string::npos && jfif + 12 <= b.size() && b[jfif + 7] == 1) {
        f.dpi = (uint32_t(uint8_t(b[jfif + 8])) << 8) | uint8_t(b[jfif + 9]);
    }
    // The frame header (SOF0) holds the height and the width.
    const size_t sof = b.find("\xFF\xC0");
    if (sof != std::string::npos && sof + 9 <= b.size()) {
        f.height = (uint32_t(uint8_t(b[sof + 5])) << 8) | uint8_t(b[sof + 6]);
        f.width = (uint32_t(uint8_t(b[sof + 7])) << 8) | uint8_t(b[sof + 8]);
    }
    return f;
}

const char kPlot[] = "explicit:sin(x):x(-5,5)[100]";

TEST(Resolution, PicturesAtPrintResolutionSayTheirResolution) {
    const std::string dir = support::Make_TempDir("resolution");
    struct Row {
        int dpi;
        uint32_t width, height;  // A4 landscape, 297 x 210 mm, at dpi
    };
    const Row rows[] = {{150, 1754, 1240}, {300, 3508, 2480}, {600, 7016, 4961}};
    for (const Row& row : rows) {
        const std::string png = dir + "/a.png", bmp = dir + "/a.bmp", jpg = dir + "/a.jpg";
        // --dpi after the pictures still counts: it is the run's resolution.
        const Outcome r = Run_Cli({"--plot", kPlot, "--png", png, "--bmp", bmp, "--jpg", jpg,
                                   "--dpi", std::to_string(row.dpi)});
        ASSERT_EQ(r.status, 0) << row.dpi << ": " << r.err;
        const Facts facts[] = {Png(Read_File(png)), Bmp(Read_File(bmp)), Jpeg(Read_File(jpg))};
        const char* const kinds[] = {"PNG", "BMP", "JPEG"};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(facts[k].width, row.width) << kinds[k] << " " << row.dpi;
            EXPECT_EQ(facts[k].height, row.height) << kinds[k] << " " << row.dpi;
            // Pixels per metre are whole numbers: within a dot per inch.
            EXPECT_NEAR(facts[k].dpi, row.dpi, 0.5) << kinds[k] << " " << row.dpi;
        }
        unlink(png.c_str());
        unlink(bmp.c_str());
        unlink(jpg.c_str());
    }
    rmdir(dir.c_str());
}

// 96 dpi, given or not, is the picture of the paper at 100 %: the same bytes.
TEST(Resolution, NinetySixIsThePicturesOfOld) {
    const std::string dir = support::Make_TempDir("resolution");
    for (const char* kind : {"--png", "--bmp", "--jpg"}) {
        const std::string extension = std::string(".") + (kind + 2);
        const std::string plain = dir + "/plain" + extension, given = dir + "/given" + extension;
        ASSERT_EQ(Run_Cli({"--plot", kPlot, kind, plain}).status, 0);
        ASSERT_EQ(Run_Cli({"--plot", kPlot, "--dpi", "96", kind, given}).status, 0);
        const std::string bytes = Read_File(plain);
        EXPECT_FALSE(bytes.empty()) << kind;
        EXPECT_EQ(Read_File(given), bytes) << kind;
        unlink(plain.c_str());
        unlink(given.c_str());
    }
    const std::string bmp = dir + "/a.bmp";
    ASSERT_EQ(Run_Cli({"--plot", kPlot, "--bmp", bmp}).status, 0);
    const Facts facts = Bmp(Read_File(bmp));
    EXPECT_EQ(facts.width, 1122u);
    EXPECT_EQ(facts.height, 793u);
    EXPECT_EQ(facts.dpi, 0.0) << "the BMP of old records no resolution";
    unlink(bmp.c_str());
    rmdir(dir.c_str());
}

TEST(Resolution, OtherResolutionsAreRefused) {
    for (const char* dpi : {"200", "0", "-300", "72", "abc", "1e3"}) {
        const Outcome r = Run_Cli({"--plot", kPlot, "--png", "/tmp/never.png", "--dpi", dpi});
        EXPECT_EQ(r.status, 2) << dpi;
        EXPECT_NE(r.err.find("--dpi takes 96, 150, 300 or 600"), std::string::npos) << dpi;
    }
}

}  // namespace
