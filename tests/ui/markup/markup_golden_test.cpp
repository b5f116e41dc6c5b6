// Covers: laid-out markup (the default sheet, the fixed-width stand-in) against the
// golden dumps in tests/data/markup: each NAME.markup is laid out and dumped
// (markup_dump.h) and compared with NAME.layout. One final line feed of the input is
// not part of the markup; a first line "@hover N" lays it out with link N under the
// pointer. VELMORA_UPDATE_GOLDEN=1 rewrites the .layout files from today's layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ui/markup/markup_dump.h"
#include "ui/markup/markup_layout.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines that differ, as "-expected" and "+actual" pairs.
std::string Difference(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> e = Lines(expected), a = Lines(actual);
    std::string out;
    for (size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
        const std::string* x = i < e.size() ? &e[i] : nullptr;
        const std::string* y = i < a.size() ? &a[i] : nullptr;
        if (x && y && *x == *y)
            continue;
        out += "line " + std::to_string(i + 1) + ":\n";
        if (x)
            out += "-" + *x + "\n";
        if (y)
            out += "+" + *y + "\n";
    }
    return out;
}

std::string LayOut(std::string markup) {
    int hover = -1;
    if (markup.compare(0, 7, "@hover ") == 0) {
        const size_t end = markup.find('\n');
        hover = std::atoi(markup.substr(7, end - 7).c_str());
        markup.erase(0, end == std::string::npos ? markup.size() : end + 1);
    }
    if (!markup.empty() && markup.back() == '\n')
        markup.pop_back();
    FixedWidthMeasurer measurer;
    return DumpLayout(LayOutMarkup(markup, StyleSheet::Default(), measurer, hover));
}

TEST(MarkupGolden, LayoutsMatchTheirDumps) {
    const fs::path dir = fs::path(VELMORA_TEST_DATA) / "markup";
    std::vector<fs::path> inputs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (entry.path().extension() == ".markup")
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty()) << "no cases in " << dir.string();
    const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
    for (const fs::path& input : inputs) {
        const std::string actual = LayOut(ReadAll(input));
        fs::path golden = input;
        golden.replace_extension(".layout");
        if (update && std::string(update) == "1") {
            std::ofstream(golden, std::ios::binary) << actual;
            continue;
        }
        const std::string expected = ReadAll(golden);
        EXPECT_TRUE(expected == actual)
            << input.filename().string() << " differs from " << golden.filename().string() << ":\n"
            << Difference(expected, actual);
    }
}

}  // namespace
}  // namespace velmora
