// velmora-alloc-faults.exe: runs the allocation-fault build of velmora.exe through
// its scenario once without a fault, to count the allocations N it reaches, then
// once for each chosen n in 1..N with the n-th allocation failed, and checks that
// every run ends normally or in the out-of-memory error box, never in a crash or a
// hang. One line per run, then a summary; exit code 1 when any run failed.
// With --exhaust every allocation from the n-th on fails, as when memory has run
// out: the box must still come, naming whichever request raised it.
//   velmora-alloc-faults EXE [--every | --samples K] [--only N] [--exhaust] [--step-ms MS]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/windows/faults/allocation_record_win.h"
#include "tests/windows/faults/program_scenario_win.h"

namespace velmora::faults {

namespace {

constexpr const char* kKindNames[] = {"-", "runtime heap", "operator new"};

struct Options {
    std::wstring exe;
    bool every = false;
    bool exhaust = false;
    long samples = 40;
    long only = 0;
    DWORD stepMs = 3000;
};

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    for (char& c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

// The shared record, zeroed before every run.
class Record {
  public:
    Record() {
        const std::wstring name =
            L"Local\\velmora-allocation-record-" + std::to_wstring(GetCurrentProcessId());
        mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                      sizeof(AllocationRecord), name.c_str());
        if (mapping_) {
            record_ = static_cast<AllocationRecord*>(
                MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(AllocationRecord)));
        }
        SetEnvironmentVariableW(kRecordVariable, name.c_str());
    }
    ~Record() {
        if (record_)
            UnmapViewOfFile(record_);
        if (mapping_)
            CloseHandle(mapping_);
    }
    Record(const Record&) = delete;
    Record& operator=(const Record&) = delete;

    bool ok() const { return record_ != nullptr; }
    void Reset() { std::memset(record_, 0, sizeof *record_); }
    const AllocationRecord& get() const { return *record_; }

  private:
    HANDLE mapping_ = nullptr;
    AllocationRecord* record_ = nullptr;
};

void PrintStack(const char* label, void* const* frames, int depth = kStackDepth) {
    std::printf("    %s:", label);
    for (int i = 0; i < depth && frames[i]; ++i)
        std::printf(" %p", frames[i]);
    std::printf("\n");
}

bool Failed(Outcome o) {
    return o != Outcome::kNormal && o != Outcome::kErrorBox;
}

// The box must name the failed request: "分配 <bytes> 字节内存失败!".
bool BoxNamesRequest(const ScenarioResult& r, const AllocationRecord& rec) {
    const std::wstring expected = L"分配 " + std::to_wstring(rec.failedBytes) + L" 字节内存失败!";
    return r.boxText.find(expected) != std::wstring::npos;
}

struct Tally {
    long runs = 0, normal = 0, box = 0, failed = 0, incomplete = 0;
};

void RunOne(const Options& opt, Record& record, long n, Tally& tally) {
    record.Reset();
    SetEnvironmentVariableW(kFailVariable,
                            (std::to_wstring(n) + (opt.exhaust ? L"+" : L"")).c_str());
    ScenarioResult r = RunProgramScenario(opt.exe, opt.stepMs);
    const AllocationRecord& rec = record.get();
    if (r.outcome == Outcome::kErrorBox && rec.failedKind != 0 &&
        !(opt.exhaust ? r.boxText.find(L" 字节内存失败!") != std::wstring::npos
                      : BoxNamesRequest(r, rec))) {
        r.outcome = Outcome::kUnexpectedBox;
    }
    ++tally.runs;
    if (r.outcome == Outcome::kNormal)
        ++tally.normal;
    else if (r.outcome == Outcome::kErrorBox)
        ++tally.box;
    else
        ++tally.failed;
    if (!r.missedStep.empty() && !Failed(r.outcome) && r.outcome != Outcome::kErrorBox)
        ++tally.incomplete;
    std::printf("n=%ld %s %ld bytes%s: %s", n, kKindNames[rec.failedKind], rec.failedBytes,
                rec.failedKind && !rec.failedOnMainThread ? " (other thread)" : "",
                OutcomeName(r.outcome));
    if (r.outcome != Outcome::kNormal && r.outcome != Outcome::kErrorBox)
        std::printf(", exit code 0x%08lX", r.exitCode);
    if (!r.missedStep.empty() && r.outcome != Outcome::kErrorBox)
        std::printf(", not reached: %s", Utf8(r.missedStep).c_str());
    if (!r.boxText.empty())
        std::printf(", box: %s", Utf8(r.boxText).c_str());
    std::printf("\n");
    // A normal end after a failed allocation means some code did without it: where
    // is shown too.
    if (rec.failedKind && (Failed(r.outcome) || r.outcome == Outcome::kNormal))
        PrintStack("failed allocation", rec.failedStack);
    if (Failed(r.outcome)) {
        if (rec.ending == Ending::kTerminate)
            PrintStack("std::terminate", rec.endingStack);
        for (const std::vector<void*>& stack : r.threadStacks) {
            if (!stack.empty())
                PrintStack("thread", stack.data(), static_cast<int>(stack.size()));
        }
        if (rec.ending == Ending::kException) {
            std::printf("    exception 0x%08lX at %p\n", rec.exceptionCode, rec.exceptionAddress);
            PrintStack("exception", rec.endingStack);
        }
    }
    std::fflush(stdout);
}

bool ParseOptions(int argc, wchar_t** argv, Options& opt) {
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == L"--every") {
            opt.every = true;
        } else if (a == L"--exhaust") {
            opt.exhaust = true;
        } else if (a == L"--samples" && hasValue) {
            opt.samples = wcstol(argv[++i], nullptr, 10);
        } else if (a == L"--only" && hasValue) {
            opt.only = wcstol(argv[++i], nullptr, 10);
        } else if (a == L"--step-ms" && hasValue) {
            opt.stepMs = static_cast<DWORD>(wcstoul(argv[++i], nullptr, 10));
        } else if (opt.exe.empty() && a.compare(0, 2, L"--") != 0) {
            opt.exe = a;
        } else {
            return false;
        }
    }
    return !opt.exe.empty() && opt.samples > 0;
}

// The n to run: every one, or `samples` of them spread evenly over 1..total.
std::vector<long> Choose(const Options& opt, long total) {
    std::vector<long> chosen;
    if (opt.only) {
        chosen.push_back(opt.only);
    } else if (opt.every || opt.samples >= total) {
        for (long n = 1; n <= total; ++n)
            chosen.push_back(n);
    } else {
        for (long i = 0; i < opt.samples; ++i) {
            const long n = 1 + static_cast<long>(static_cast<long long>(i) * (total - 1) /
                                                 (opt.samples > 1 ? opt.samples - 1 : 1));
            if (chosen.empty() || chosen.back() != n)
                chosen.push_back(n);
        }
    }
    return chosen;
}

int Main(int argc, wchar_t** argv) {
    Options opt;
    if (!ParseOptions(argc, argv, opt)) {
        std::fprintf(stderr,
                     "usage: velmora-alloc-faults EXE [--every | --samples K] [--only N] "
                     "[--exhaust] [--step-ms MS]\n");
        return 2;
    }
    Record record;
    if (!record.ok()) {
        std::fprintf(stderr, "no shared record\n");
        return 2;
    }
    // A crash of the program must end it, not open a dialog; the error mode is
    // inherited.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);

    record.Reset();
    SetEnvironmentVariableW(kFailVariable, nullptr);
    const ScenarioResult clean = RunProgramScenario(opt.exe, opt.stepMs);
    const long heap = record.get().runtimeHeap, news = record.get().operatorNew;
    const long total = heap + news;
    std::printf("without a fault: %s%s%s; %ld allocations (runtime heap %ld, operator new %ld)\n",
                OutcomeName(clean.outcome),
                clean.missedStep.empty() ? "" : ", not reached: ", Utf8(clean.missedStep).c_str(),
                total, heap, news);
    std::fflush(stdout);
    if (clean.outcome != Outcome::kNormal || !clean.missedStep.empty() || total == 0)
        return 1;

    Tally tally;
    for (long n : Choose(opt, total))
        RunOne(opt, record, n, tally);
    std::printf(
        "allocations N=%ld (runtime heap %ld, operator new %ld); %ld runs: %ld normal end "
        "(%ld of them left the scenario early), %ld error box, %ld crash or hang\n",
        total, heap, news, tally.runs, tally.normal, tally.incomplete, tally.box, tally.failed);
    return tally.failed == 0 ? 0 : 1;
}

}  // namespace

}  // namespace velmora::faults

int wmain(int argc, wchar_t** argv) {
    return velmora::faults::Main(argc, argv);
}
