// Covers: laid-out markup (the default sheet, the fixed-width stand-in) against the
// golden dumps in tests/data/markup: each NAME.markup is laid out and dumped
// (markup_dump.h) and compared with NAME.layout. One final line feed of the input is
// not part of the markup; a first line "@hover N" lays it out with link N under the
// pointer. VELMORA_UPDATE_GOLDEN=1 rewrites the .layout files from today's layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/golden_file.h"
#include "tests/ui/markup/markup_dump.h"
#include "ui/markup/markup_layout.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

using test::MatchesGolden;
using test::ReadAll;

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
    for (const fs::path& input : inputs) {
        fs::path golden = input;
        golden.replace_extension(".layout");
        EXPECT_TRUE(MatchesGolden(LayOut(ReadAll(input)), golden)) << input.filename().string();
    }
}

}  // namespace
}  // namespace velmora
