#pragma once
// Golden files: today's output compared with a stored text under tests/data, the
// differing lines printed on a mismatch. VELMORA_UPDATE_GOLDEN=1 rewrites the stored
// text from today's output instead.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::test {

inline std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines that differ, as "-expected" and "+actual" pairs.
inline std::string Difference(const std::string& expected, const std::string& actual) {
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

inline ::testing::AssertionResult MatchesGolden(const std::string& actual,
                                                const std::filesystem::path& golden) {
    const char* update = std::getenv("VELMORA_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream(golden, std::ios::binary) << actual;
        return ::testing::AssertionSuccess();
    }
    const std::string expected = ReadAll(golden);
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << golden.filename().string() << " differs:\n"
                                         << Difference(expected, actual);
}

}  // namespace velmora::test
