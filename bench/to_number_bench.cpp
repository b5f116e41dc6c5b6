// ToNumber against std::from_chars and strtod on the same numbers: short integers
// like the ones typed into the frequency and interval boxes, decimals, exponents,
// 17-digit numbers, and (ToNumber only, the others get the ASCII equivalents)
// full-width digits. Prints ns per conversion and ToNumber's time as a multiple of
// the others'.
//
// Differences that the inputs here avoid: std::from_chars leaves its output alone
// when the value overflows (ToNumber gives an infinity), takes no leading '+' or
// white space, and is given the length, where ToNumber finds the end itself.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "runtime/conversions.h"

namespace {

struct InputSet {
    const char* name;
    std::vector<std::string> texts;       // what ToNumber reads
    std::vector<std::string> asciiTexts;  // what the others read
};

std::string FullWidth(const std::string& ascii) {
    std::string out;
    for (char c : ascii) {
        out += '\xA3';
        out += static_cast<char>(c | 0x80);
    }
    return out;
}

std::vector<InputSet> MakeSets() {
    std::vector<InputSet> sets;
    std::vector<std::string> integers = {"440", "15", "1000", "20", "100", "7", "19999", "65535"};
    std::vector<std::string> decimals = {"3.14159", "0.001", "123.456", "0.5",
                                         "99.99",   "1.25",  "440.9",   "0.1"};
    std::vector<std::string> exponents = {"1e10",   "6.02214076e23", "1.5e-7", "2.5E+3",
                                          "9.81e0", "1e-300",        "7e22",   "3.3e-5"};
    std::vector<std::string> long17 = {"3.1415926535897931",  "0.10000000000000001",
                                       "2.7182818284590451",  "1.7976931348623157e308",
                                       "123456789.12345678",  "9007199254740993",
                                       "0.33333333333333331", "2.2250738585072014e-308"};
    sets.push_back({"integers", integers, integers});
    sets.push_back({"decimals", decimals, decimals});
    sets.push_back({"exponents", exponents, exponents});
    sets.push_back({"17 digits", long17, long17});
    std::vector<std::string> wide;
    for (const std::string& s : integers)
        wide.push_back(FullWidth(s));
    sets.push_back({"full-width integers", wide, integers});
    return sets;
}

const std::vector<InputSet>& Sets() {
    static const std::vector<InputSet> sets = MakeSets();
    return sets;
}

void BenchToNumber(benchmark::State& state, const InputSet* set) {
    for (auto _ : state) {
        for (const std::string& s : set->texts)
            benchmark::DoNotOptimize(velmora::ToNumber(s.c_str()));
    }
}

void BenchFromChars(benchmark::State& state, const InputSet* set) {
    for (auto _ : state) {
        for (const std::string& s : set->asciiTexts) {
            double d = 0;
            std::from_chars(s.data(), s.data() + s.size(), d);
            benchmark::DoNotOptimize(d);
        }
    }
}

void BenchStrtod(benchmark::State& state, const InputSet* set) {
    for (auto _ : state) {
        for (const std::string& s : set->asciiTexts)
            benchmark::DoNotOptimize(std::strtod(s.c_str(), nullptr));
    }
}

// Keeps each run's time per iteration for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            nsPerIteration[run.benchmark_name()] = run.GetAdjustedRealTime();  // ns by default
        }
    }
    std::map<std::string, double> nsPerIteration;
};

}  // namespace

int main(int argc, char** argv) {
    for (const InputSet& set : Sets()) {
        std::string name = set.name;
        benchmark::RegisterBenchmark(("ToNumber/" + name).c_str(), BenchToNumber, &set);
        benchmark::RegisterBenchmark(("from_chars/" + name).c_str(), BenchFromChars, &set);
        benchmark::RegisterBenchmark(("strtod/" + name).c_str(), BenchStrtod, &set);
    }
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n%-22s %12s %12s %12s %14s %12s\n", "inputs", "ToNumber", "from_chars", "strtod",
                "vs from_chars", "vs strtod");
    std::printf("%-22s %12s %12s %12s %14s %12s\n", "", "ns/conv", "ns/conv", "ns/conv", "(x)",
                "(x)");
    for (const InputSet& set : Sets()) {
        std::string name = set.name;
        auto find = [&](const std::string& key) {
            auto it = reporter.nsPerIteration.find(key + "/" + name);
            return it == reporter.nsPerIteration.end() ? 0.0 : it->second / set.texts.size();
        };
        double ours = find("ToNumber"), fromChars = find("from_chars"), strtod = find("strtod");
        if (ours == 0 || fromChars == 0 || strtod == 0)
            continue;  // filtered out
        std::printf("%-22s %12.2f %12.2f %12.2f %14.2f %12.2f\n", set.name, ours, fromChars, strtod,
                    ours / fromChars, ours / strtod);
    }
    benchmark::Shutdown();
    return 0;
}
