// Transfer benchmark: the product's HTTP client against curl, side by side,
// on loopback against one sink/source server. Cases: multipart POST of the
// firmware-sized file (1,441,792 bytes) and of a 256 MiB file, and a GET of
// 256 MiB into a file. Each transfer runs as its own process; the table
// shows, for us and for curl, the lowest, median and highest rate of several
// runs (MB = 10^6 bytes), the ratio of the medians and our peak RSS.
//
//   http_bench [--large-mib N] [--runs-small N] [--runs-large N]
//   http_bench --client post|get URL FILE   (one transfer with our client)
//   http_bench --serve                      (just the server; prints its port)
#include "bench/OurClient.h"
#include "bench/ProcessRun.h"
#include "bench/SinkSourceServer.h"

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Case {
    std::string title;
    bool post;
    long long bytes;
    int runs;
};

// The runs of one client in one case.
struct Runs {
    std::vector<double> rates;  // MB/s of each successful run
    long peakRssKiB = 0;        // the largest of all runs
    int failed = 0;

    void Take(const ProcessResult& run, long long bytes, bool ok)
    {
        if (run.exitCode != 0 || !ok) {
            ++failed;
            return;
        }
        rates.push_back(static_cast<double>(bytes) / run.seconds / 1e6);
        peakRssKiB = std::max(peakRssKiB, run.peakRssKiB);
    }
    // The middle rate; with an even count the mean of the two middle ones.
    double Median() const
    {
        std::vector<double> sorted = rates;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    // "min / median / max", with the failed runs counted when there are any.
    std::string Text() const
    {
        if (rates.empty())
            return failed ? "failed" : "-";
        char text[64];
        std::snprintf(text, sizeof text, "%.0f / %.0f / %.0f", *std::min_element(rates.begin(), rates.end()), Median(),
                      *std::max_element(rates.begin(), rates.end()));
        std::string all = text;
        if (failed)
            all += " (" + std::to_string(failed) + " failed)";
        return all;
    }
};

void WriteFile(const fs::path& path, long long size)
{
    std::vector<char> block(1 << 20);
    for (std::size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<char>((i * 131) ^ (i >> 9));
    std::ofstream out(path, std::ios::binary);
    for (long long left = size; left > 0;) {
        std::size_t piece = static_cast<std::size_t>(std::min<long long>(left, static_cast<long long>(block.size())));
        out.write(block.data(), static_cast<std::streamsize>(piece));
        left -= static_cast<long long>(piece);
    }
}

bool HaveCurl() { return std::system("curl --version >/dev/null 2>&1") == 0; }

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--client") == 0)
        return RunOurClient(argc - 2, argv + 2);
    if (argc >= 2 && std::strcmp(argv[1], "--serve") == 0) {
        std::uint16_t port = 0;
        int listener = OpenBenchListener(port);
        std::printf("%u\n", port);
        std::fflush(stdout);
        ServeForever(listener);
    }

    long long largeMiB = 256;
    int runsSmall = 15, runsLarge = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--large-mib") == 0)
            largeMiB = std::atoll(argv[i + 1]);
        if (std::strcmp(argv[i], "--runs-small") == 0)
            runsSmall = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--runs-large") == 0)
            runsLarge = std::atoi(argv[i + 1]);
    }
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    const bool curl = HaveCurl();
    if (!curl)
        std::fprintf(stderr, "curl not found: measuring our client only\n");

    char pattern[] = "/tmp/norvo-bench-XXXXXX";
    const fs::path dir = ::mkdtemp(pattern);
    const long long smallBytes = 1441792, largeBytes = largeMiB << 20;
    const fs::path smallFile = dir / "firmware.bin", largeFile = dir / "large.bin";
    WriteFile(smallFile, smallBytes);
    WriteFile(largeFile, largeBytes);

    std::uint16_t port = 0;
    int listener = OpenBenchListener(port);
    if (listener < 0) {
        std::fprintf(stderr, "cannot listen on 127.0.0.1\n");
        return 1;
    }
    pid_t server = ::fork();
    if (server == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ServeForever(listener);
    }
    ::close(listener);
    const std::string base = "http://127.0.0.1:" + std::to_string(port);
    const std::string large = std::to_string(largeMiB) + " MiB";

    const Case cases[] = {
        {"POST 1,441,792 B", true, smallBytes, runsSmall},
        {"POST " + large, true, largeBytes, runsLarge},
        {"GET " + large + " to file", false, largeBytes, runsLarge},
    };
    std::printf("MB/s = 10^6 bytes per second, min / median / max over the runs; ratio of the medians\n");
    std::printf("%-24s %5s %22s %22s %7s %13s\n", "case", "runs", "ours MB/s", "curl MB/s", "ratio", "our peak RSS");
    for (const Case& c : cases) {
        const fs::path file = c.bytes == smallBytes ? smallFile : largeFile;
        const fs::path oursOut = dir / "ours.out", curlOut = dir / "curl.out";
        const std::string url = c.post ? base + "/upload.cgi" : base + "/bytes/" + std::to_string(c.bytes);
        auto whole = [&](const fs::path& out) {
            return fs::exists(out) && fs::file_size(out) == static_cast<std::uintmax_t>(c.bytes);
        };
        Runs ours, theirs;
        auto runOurs = [&] {
            if (c.post) {
                ours.Take(RunMeasured({self, "--client", "post", url, file.string()}), c.bytes, true);
            } else {
                const ProcessResult run = RunMeasured({self, "--client", "get", url, oursOut.string()});
                ours.Take(run, c.bytes, whole(oursOut));
                fs::remove(oursOut);
            }
        };
        auto runCurl = [&] {
            if (c.post) {
                theirs.Take(RunMeasured({"curl", "-sS", "-o", "/dev/null", "-F", "upfile=@" + file.string(), url}),
                            c.bytes, true);
            } else {
                const ProcessResult run = RunMeasured({"curl", "-sS", "-o", curlOut.string(), url});
                theirs.Take(run, c.bytes, whole(curlOut));
                fs::remove(curlOut);
            }
        };
        // The two take turns at going first, so neither always finds the
        // machine as the other left it.
        for (int run = 0; run < c.runs; ++run) {
            if (run % 2 == 0)
                runOurs();
            if (curl)
                runCurl();
            if (run % 2 == 1)
                runOurs();
        }
        char ratio[32] = "-";
        if (!ours.rates.empty() && !theirs.rates.empty())
            std::snprintf(ratio, sizeof ratio, "%.2f", ours.Median() / theirs.Median());
        char rss[32] = "-";
        if (!ours.rates.empty())
            std::snprintf(rss, sizeof rss, "%.1f MiB", static_cast<double>(ours.peakRssKiB) / 1024.0);
        std::printf("%-24s %5d %22s %22s %7s %13s\n", c.title.c_str(), c.runs, ours.Text().c_str(),
                    curl ? theirs.Text().c_str() : "-", ratio, rss);
        std::fflush(stdout);
    }

    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
    fs::remove_all(dir);
    return 0;
}
