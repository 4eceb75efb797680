// Times Korvane's join against `cat`/`tail` and an in-kernel copy of the same
// byte ranges, alternating the contenders over several rounds, and measures
// the engine's peak memory at two input sizes. Every contender flushes its
// output to stable storage before its time is taken, as the engine does.
//
// Usage: korvane_join_bench [--dir DIR (default $TMPDIR or /tmp)] [--size-mib N] [--count N]
//        [--rounds N] [--rss-small-mib N] [--rss-large-mib N]
//        [--sweep KIB,KIB,...] [--slices KIB,KIB,...]
// The last line is: ratio_vs_cat=R1 ratio_vs_kernel=R2 rss_growth_kib=K
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <linux/magic.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/statfs.h>
#include <vector>

#include "bench/bench_files.h"
#include "bench/contenders.h"
#include "bench/peak_rss.h"
#include "join/join_engine.h"

namespace {

struct Options {
    std::string dir;
    std::uint64_t sizeMib = 512;
    int count = 3;
    int rounds = 7;
    std::uint64_t rssSmallMib = 64;
    std::uint64_t rssLargeMib = 1024;
    std::vector<std::size_t> sweepKib;
    std::vector<std::size_t> slicesKib;
};

[[noreturn]] void Usage(const char* problem) {
    std::fprintf(stderr,
                 "%s\nusage: korvane_join_bench [--dir DIR] [--size-mib N] [--count N] "
                 "[--rounds N] [--rss-small-mib N] [--rss-large-mib N] [--sweep KIB,...] "
                 "[--slices KIB,...]\n",
                 problem);
    std::exit(2);
}

// The usual temporary folder: on a disk, where the engine's flush has a
// real cost that the peers, flushing too, pay alike.
std::string DefaultFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

std::string FileSystemOf(const std::string& path) {
    struct statfs fs{};
    if (::statfs(path.c_str(), &fs) != 0) {
        return "unknown file system";
    }
    switch (fs.f_type) {
    case TMPFS_MAGIC:
        return "tmpfs (flushing is free)";
    case EXT4_SUPER_MAGIC:
        return "ext4 (flushing writes to disk)";
    case BTRFS_SUPER_MAGIC:
        return "btrfs (flushing writes to disk)";
    case XFS_SUPER_MAGIC:
        return "xfs (flushing writes to disk)";
    default:
        return "file system type 0x" + [&] {
            char hex[32];
            std::snprintf(hex, sizeof hex, "%lx", static_cast<unsigned long>(fs.f_type));
            return std::string(hex);
        }();
    }
}

std::uint64_t Number(const char* text) {
    char* end = nullptr;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (end == text || *end != '\0' || value == 0) {
        Usage("expected a positive number");
    }
    return value;
}

Options Parse(int argc, char** argv) {
    Options options;
    options.dir = DefaultFolder();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) {
            Usage(("missing value after " + arg).c_str());
        }
        const char* value = argv[++i];
        if (arg == "--dir") {
            options.dir = value;
        } else if (arg == "--size-mib") {
            options.sizeMib = Number(value);
        } else if (arg == "--count") {
            options.count = static_cast<int>(Number(value));
        } else if (arg == "--rounds") {
            options.rounds = static_cast<int>(Number(value));
        } else if (arg == "--rss-small-mib") {
            options.rssSmallMib = Number(value);
        } else if (arg == "--rss-large-mib") {
            options.rssLargeMib = Number(value);
        } else if (arg == "--sweep" || arg == "--slices") {
            std::stringstream list(value);
            std::string item;
            while (std::getline(list, item, ',')) {
                (arg == "--sweep" ? options.sweepKib : options.slicesKib)
                    .push_back(static_cast<std::size_t>(Number(item.c_str())));
            }
        } else {
            Usage(("unknown option " + arg).c_str());
        }
    }
    return options;
}

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double MedianRatio(const std::vector<double>& numerators, const std::vector<double>& denominators) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < numerators.size() && i < denominators.size(); ++i) {
        ratios.push_back(numerators[i] / denominators[i]);
    }
    return Median(ratios);
}

// Processor time (user and system) of this process and of its waited-for
// children. On a machine shared with other work it says what a contender
// cost better than the time on the clock; work the kernel does in threads of
// its own (writing back to a disk) is not in it.
double ProcessorSeconds() {
    double total = 0;
    for (const int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        ::getrusage(who, &usage);
        for (const timeval& t : {usage.ru_utime, usage.ru_stime}) {
            total += static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
        }
    }
    return total;
}

struct Contender {
    std::string name;
    std::function<void(const std::string& output)> run;
    std::vector<double> times;
    std::vector<double> processorTimes;
};

// Runs every contender once per round, in an order rotated from round to
// round, each into a fresh output; returns nothing, fills the times.
void RunRounds(std::vector<Contender>& contenders, int rounds, const std::string& output) {
    for (int round = 0; round < rounds; ++round) {
        std::printf("round %d:", round + 1);
        for (std::size_t k = 0; k < contenders.size(); ++k) {
            Contender& c = contenders[(k + static_cast<std::size_t>(round)) % contenders.size()];
            std::filesystem::remove(output);
            const double processorBefore = ProcessorSeconds();
            const double t = Seconds([&] { c.run(output); });
            c.times.push_back(t);
            c.processorTimes.push_back(ProcessorSeconds() - processorBefore);
            std::printf(" %s %.3f s", c.name.c_str(), t);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    std::filesystem::remove(output);
}

int Run(const Options& options, const std::string& self) {
    BenchFolder folder(options.dir);
    const std::uint64_t mib = 1 << 20;
    std::vector<std::string> inputs;
    for (int i = 0; i < options.count; ++i) {
        inputs.push_back(folder / ("in" + std::to_string(i) + ".mpg"));
        MakeInputFile(inputs.back(), options.sizeMib * mib, static_cast<std::uint32_t>(i + 1));
    }
    const double totalMib =
        static_cast<double>(options.sizeMib * mib * options.count - 5000u * (options.count - 1)) /
        static_cast<double>(mib);
    std::printf("inputs: %d x %llu MiB in %s, on %s; output %.1f MiB; every contender "
                "flushes its output to stable storage\n",
                options.count, static_cast<unsigned long long>(options.sizeMib),
                folder.Path().c_str(), FileSystemOf(folder.Path()).c_str(), totalMib);
    std::printf("engine copy buffer: %zu KiB, slice: %zu KiB\n", kJoinCopyBufferSize / 1024,
                kJoinCopySliceSize / 1024);

    // The outputs must be the same bytes, or the times mean nothing.
    const std::string output = folder / "out.mpg";
    const std::string reference = folder / "reference.mpg";
    JoinWithKernelCopy(inputs, reference);
    JoinWithEngine(inputs, output);
    const bool engineSame = SameContents(output, reference);
    JoinWithCatAndTail(inputs, output);
    const bool catSame = SameContents(output, reference);
    JoinWithReadWrite(inputs, output);
    const bool readWriteSame = SameContents(output, reference);
    std::filesystem::remove(reference);
    std::printf("outputs identical: engine %s, cat+tail %s, read/write %s\n",
                engineSame ? "yes" : "NO", catSame ? "yes" : "NO", readWriteSame ? "yes" : "NO");
    if (!engineSame || !catSame || !readWriteSame) {
        return 1;
    }

    // Each size swept runs in the same rounds as the kernel's copy, whose
    // time in the round is its yardstick.
    const auto sweep = [&](const std::vector<std::size_t>& kibs, const std::string& what,
                           bool slices) {
        if (kibs.empty()) {
            return;
        }
        std::vector<Contender> sizes;
        for (std::size_t kib : kibs) {
            sizes.push_back({what + " " + std::to_string(kib) + " KiB",
                             [&inputs, kib, slices](const std::string& out) {
                                 JoinWithEngine(inputs, out, slices ? 0 : kib * 1024,
                                                slices ? kib * 1024 : 0);
                             },
                             {},
                             {}});
        }
        sizes.push_back(
            {"kernel", [&](const std::string& out) { JoinWithKernelCopy(inputs, out); }, {}, {}});
        RunRounds(sizes, options.rounds, output);
        for (const Contender& c : sizes) {
            std::printf("median %s: %.3f s (%.0f MiB/s), over kernel %.3f; processor %.3f s\n",
                        c.name.c_str(), Median(c.times), totalMib / Median(c.times),
                        MedianRatio(c.times, sizes.back().times), Median(c.processorTimes));
        }
    };
    sweep(options.sweepKib, "buffer", false);
    sweep(options.slicesKib, "slice", true);

    std::vector<Contender> contenders = {
        {"engine", [&](const std::string& out) { JoinWithEngine(inputs, out); }, {}, {}},
        {"cat+tail", [&](const std::string& out) { JoinWithCatAndTail(inputs, out); }, {}, {}},
        {"kernel", [&](const std::string& out) { JoinWithKernelCopy(inputs, out); }, {}, {}},
        {"read/write", [&](const std::string& out) { JoinWithReadWrite(inputs, out); }, {}, {}},
    };
    RunRounds(contenders, options.rounds, output);
    for (const Contender& c : contenders) {
        std::printf("median %s: %.3f s (%.0f MiB/s); processor %.3f s\n", c.name.c_str(),
                    Median(c.times), totalMib / Median(c.times), Median(c.processorTimes));
    }
    // Each round's contenders ran back to back, so the engine's time over a
    // peer's from the same round cancels what other load on the machine did
    // to that round; the ratios given are the medians of these.
    const double ratioCat = MedianRatio(contenders[0].times, contenders[1].times);
    const double ratioKernel = MedianRatio(contenders[0].times, contenders[2].times);
    const double ratioReadWrite = MedianRatio(contenders[0].times, contenders[3].times);
    std::printf("median of per-round ratios: engine/cat+tail %.3f, engine/kernel %.3f, "
                "engine/read-write %.3f\n",
                ratioCat, ratioKernel, ratioReadWrite);
    for (std::string& input : inputs) {
        std::filesystem::remove(input);
    }

    // Peak memory of the engine alone, at two input sizes.
    long rss[2] = {0, 0};
    const std::uint64_t sizes[2] = {options.rssSmallMib, options.rssLargeMib};
    for (int i = 0; i < 2; ++i) {
        const std::string input = folder / "rss.mpg";
        MakeInputFile(input, sizes[i] * mib, 7);
        rss[i] = EnginePeakRssKib(self, {input}, output);
        std::filesystem::remove(input);
        std::filesystem::remove(output);
        std::printf("engine peak RSS joining one %llu MiB input: %ld KiB\n",
                    static_cast<unsigned long long>(sizes[i]), rss[i]);
    }

    std::printf("ratio_vs_cat=%.3f ratio_vs_kernel=%.3f rss_growth_kib=%ld\n", ratioCat,
                ratioKernel, rss[1] - rss[0]);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "--rss-child") == 0) {
        return RunRssChild(argc, argv);
    }
    const Options options = Parse(argc, argv);
    try {
        return Run(options, std::filesystem::read_symlink("/proc/self/exe").string());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "korvane_join_bench: %s\n", e.what());
        return 1;
    }
}
