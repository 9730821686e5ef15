// bench_archive [--member-mb N]: LH5 size and speed of our coder on a firmware image, a PDF,
// text and random bytes, beside lhasa (decode), jlha (encode, size) and gzip -6 (size); then the
// peak memory of writing and expanding one large member, which must not grow with its size.
#include <cairo-pdf.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include "Support.h"
#include "archive/TCompress.h"

using namespace kv::archive;
using namespace kv::archive::test;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// A report-like PDF: pages of text and photo-like images, which cairo stores deflated.
Bytes MakePdf(const std::string& path) {
    cairo_surface_t* surface = cairo_pdf_surface_create(path.c_str(), 595, 842);
    cairo_t* cr = cairo_create(surface);
    Bytes text = EnglishText(80000, 62);
    size_t at = 0;
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, 9);
    for (int page = 0; page < 30; ++page) {
        if (page % 10 == 0) {
            cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 180, 180);
            Bytes noise = RandomBytes(180 * 180, 61 + static_cast<uint32_t>(page));
            unsigned char* px = cairo_image_surface_get_data(image);
            for (int i = 0; i < 180 * 180; ++i) {
                uint32_t v = noise[static_cast<size_t>(i)];
                uint32_t rgb =
                    (v << 16) | ((v / 2 + static_cast<uint32_t>(i % 180)) << 8) | (255 - v);
                std::memcpy(px + 4 * i, &rgb, 4);
            }
            cairo_surface_mark_dirty(image);
            cairo_set_source_surface(cr, image, 380, 40);
            cairo_paint(cr);
            cairo_surface_destroy(image);
        }
        cairo_set_source_rgb(cr, 0, 0, 0);
        for (int line = 0; line < 70 && at + 90 < text.size(); ++line, at += 90) {
            std::string s(text.begin() + static_cast<std::ptrdiff_t>(at),
                          text.begin() + static_cast<std::ptrdiff_t>(at + 90));
            std::replace(s.begin(), s.end(), '\n', ' ');
            cairo_move_to(cr, 40, 240 + line * 8.5);
            cairo_show_text(cr, s.c_str());
        }
        cairo_show_page(cr);
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
    return ReadFile(path);
}

// Best of a few runs, in seconds.
template <typename F>
double Best(F work, int runs = 3) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        auto t = Clock::now();
        work();
        best = std::min(best, Seconds(t));
    }
    return best;
}

double TimeCommand(const std::string& command) {
    return Best([&] { RunCommand(command); });
}

std::string Quote(const std::string& s) {
    return "'" + s + "'";
}

struct TRow {
    std::string Name;
    size_t Size = 0;
    size_t Ours = 0;
    bool OursStored = false;
    double EncodeMBs = 0, DecodeMBs = 0, OursDecodeSec = 0;
    double LhasaSec = 0;
    size_t Jlha = 0;
    std::string JlhaMethod;
    double JlhaSec = 0, OursEncodeSec = 0;
    size_t Gzip = 0;
};

TRow Measure(const fs::path& dir, const std::string& name, const Bytes& input) {
    TRow row;
    row.Name = name;
    row.Size = input.size();
    const double mb = static_cast<double>(input.size()) / 1e6;
    const std::string file = (dir / name).string();
    WriteFile(file, input);

    // Ours, in memory. Incompressible input stops the coder at its budget (timed too) and is
    // stored: then both decoders are timed on stored data (-lh0- for lhasa).
    TCoded coded;
    row.OursEncodeSec = Best([&] { coded = EncodeBytes(input); });
    row.EncodeMBs = mb / row.OursEncodeSec;
    row.OursStored = coded.Stored;
    row.Ours = coded.Stored ? input.size() : coded.Data.size();
    const TCompressMethod method = coded.Stored ? MethodNone : MethodLh5;
    const Bytes& data = coded.Stored ? input : coded.Data;
    row.OursDecodeSec =
        Best([&] { DecodeBytes(data, static_cast<int32_t>(input.size()), method); });
    row.DecodeMBs = mb / row.OursDecodeSec;
    WriteFile((dir / "ours.lzh").string(),
              LhaArchive(coded.Stored ? "-lh0-" : "-lh5-", name, data, input));
    row.LhasaSec = TimeCommand("lhasa -pq " + Quote((dir / "ours.lzh").string()) + " > /dev/null");

    const std::string jlha = (dir / "j.lzh").string();
    row.JlhaSec = TimeCommand("cd " + Quote(dir.string()) + " && rm -f j.lzh && jlha c0o5q j.lzh " +
                              Quote(name) + " > /dev/null");
    auto members = LhaMembers(ReadFile(jlha));
    row.Jlha = members.at(0).Coded.size();
    row.JlhaMethod = members.at(0).Method;

    RunCommand("gzip -6 -c " + Quote(file) + " > " + Quote((dir / "g.gz").string()));
    row.Gzip = static_cast<size_t>(fs::file_size(dir / "g.gz"));
    return row;
}

void PrintRows(const std::vector<TRow>& rows) {
    std::printf("%-14s %9s | %9s %6s %8s %8s | %9s %6s %7s %7s | %8s %7s %7s | %9s\n", "file",
                "bytes", "ours", "ratio", "enc MB/s", "dec MB/s", "jlha", "method", "ours/jl",
                "enc s", "dec s", "lhasa s", "jlha s", "gzip -6");
    for (const auto& r : rows) {
        std::printf(
            "%-14s %9zu | %9zu%s %5.1f%% %8.1f %8.1f | %9zu %6s %6.2f%% %7.3f | %8.4f %7.4f %7.3f "
            "| %9zu\n",
            r.Name.c_str(), r.Size, r.Ours, r.OursStored ? "*" : " ",
            100.0 * static_cast<double>(r.Ours) / static_cast<double>(r.Size), r.EncodeMBs,
            r.DecodeMBs, r.Jlha, r.JlhaMethod.c_str(),
            100.0 * (static_cast<double>(r.Ours) - static_cast<double>(r.Jlha)) /
                static_cast<double>(r.Jlha),
            r.OursEncodeSec, r.OursDecodeSec, r.LhasaSec, r.JlhaSec, r.Gzip);
    }
    std::printf(
        "* stored: the LH5 coding would be longer than the file; decoding is then a copy.\n"
        "ours: in-process, best of 3. lhasa s, jlha s: whole runs of the tools (start-up "
        "included),\n"
        "best of 3. ours/jl: our LH5 size against jlha's.\n");
}

// Writes `mb` megabytes of mixed content in pieces, never holding it whole.
void WriteLargeFile(const std::string& path, int mb) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    Bytes text = EnglishText(1 << 19, 71), image = FirmwareImage(1 << 19, 72);
    for (int i = 0; i < mb; ++i) {
        const Bytes& piece = i % 2 ? text : image;
        Bytes chunk(piece.begin(), piece.end());
        chunk[static_cast<size_t>(i) % chunk.size()] ^=
            static_cast<uint8_t>(i);  // no two pieces alike
        std::fwrite(chunk.data(), 1, chunk.size(), f);
        std::fwrite(chunk.data(), 1, chunk.size(), f);
    }
    std::fclose(f);
}

// Runs this program again with `args` and returns the child's peak resident set in KB.
long PeakKb(const std::vector<std::string>& args) {
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>("bench_archive")};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv("/proc/self/exe", argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    wait4(pid, &status, 0, &usage);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? usage.ru_maxrss : -1;
}

void MeasureMemory(const fs::path& dir, int largeMb) {
    std::printf(
        "\nPeak resident memory of CompressFileList and ExpandArchive, each in a fresh process:\n");
    std::printf("%10s %12s %10s %10s %8s %8s\n", "member", "archive", "write KB", "expand KB",
                "write s", "expand s");
    const long idleKb = PeakKb({"--idle"});
    for (int mb : {1, largeMb}) {
        const std::string src = (dir / "big/PackBinary.bin").string();
        fs::create_directories(dir / "big");
        WriteLargeFile(src, mb);
        const std::string archive = (dir / "big.apl").string();
        fs::remove(archive);
        auto t = Clock::now();
        long writeKb = PeakKb({"--write", archive, src});
        double writeSec = Seconds(t);
        t = Clock::now();
        long expandKb = PeakKb({"--expand", archive, (dir / "out").string()});
        double expandSec = Seconds(t);
        bool same = RunCommand("cmp -s " + Quote(src) + " " +
                               Quote((dir / "out/PackBinary.bin").string())) == 0;
        std::printf("%7d MB %12ju %10ld %10ld %8.2f %8.2f%s\n", mb,
                    static_cast<uintmax_t>(fs::file_size(archive)), writeKb, expandKb, writeSec,
                    expandSec, same ? "" : "  MISMATCH");
        fs::remove_all(dir / "big");
        fs::remove_all(dir / "out");
    }
    std::printf("(the same program doing nothing: %ld KB)\n", idleKb);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--idle") return 0;
    if (args.size() == 3 && args[0] == "--write") {
        TCompress c;
        c.SetTargetPath(fs::path(args[2]).parent_path().string());
        std::vector<std::string> list{args[2]};
        c.CompressFileList(args[1], list, MethodLh5);
        return 0;
    }
    if (args.size() == 3 && args[0] == "--expand") {
        TCompress c;
        c.MakeDirectories = true;
        c.SetTargetPath(args[2]);
        c.ExpandArchive(args[1]);
        return 0;
    }
    int largeMb = 100;
    if (args.size() == 2 && args[0] == "--member-mb") largeMb = std::stoi(args[1]);
    TempDir dir;
    std::vector<TRow> rows;
    rows.push_back(Measure(dir.Path(), "firmware.bin", FirmwareImage(262144, 1)));
    rows.push_back(Measure(dir.Path(), "report.pdf", MakePdf(dir / "made.pdf")));
    rows.push_back(Measure(dir.Path(), "text.txt", EnglishText(1 << 20, 2)));
    rows.push_back(Measure(dir.Path(), "random.bin", RandomBytes(1 << 20, 3)));
    PrintRows(rows);
    MeasureMemory(dir.Path(), largeMb);
    return 0;
}
