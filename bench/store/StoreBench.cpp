// Times of what switching versions in the manager costs, on a 5000-record version table:
// open and read every value, filter, locate, post one edit. Goal: each under 20 ms.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Fixtures.h"
#include "store/Store.h"

using namespace kv::store;
using Clock = std::chrono::steady_clock;

namespace {

void MakeVersionTable(const std::string& path, int records) {
    static const char* menus[] = {"OP_MENU_VARIABLES", "OP_MENU_VARIABLES_HIDDEN",
                                  "OP_MENU_PARAMETERS", "OP_MENU_INPUTS", "OP_MENU_FACTORS"};
    Table::Create(path, fixtures::VersionFields());
    Table t(path);
    t.Open();
    Batch batch(t);
    for (int i = 0; i < records; ++i) {
        std::string id = (i % 3 ? "ID_ITEM_" : "ID_VAR_") + std::to_string(i);
        t.AppendRecord(
            {id, i % 7 ? "DT_FLOAT" : "DT_TAG", "Item " + std::to_string(i), menus[i % 5], "Values",
             "note.htm", "OP_ACCESS_PROGRAM", std::to_string(i % 100), "0", "999999.9",
             "GU_SCALE_NONE", "TAG", "", "UNIT", "",
             "Explanation of item " + std::to_string(i) + " shown under the item in the editor"});
    }
}

struct Figures {
    std::vector<double> ms;
    void Add(Clock::duration d) {
        ms.push_back(std::chrono::duration<double, std::milli>(d).count());
    }
    void Print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-40s median %7.2f ms   max %7.2f ms   (%zu runs)\n", what, ms[ms.size() / 2],
                    ms.back(), ms.size());
    }
};

double Time(const std::function<void()>& f) {
    auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::atoi(argv[1]) : 5000;
    const int runs = 15;
    char pattern[] = "/tmp/kvstore-bench-XXXXXX";
    if (!::mkdtemp(pattern)) return 1;
    std::filesystem::current_path(pattern);
    const std::string path = "758-BENCH-000001.db";
    std::printf("creating %d records: %.1f ms\n", records,
                Time([&] { MakeVersionTable(path, records); }));
    std::printf("file size: %ju bytes\n", static_cast<uintmax_t>(std::filesystem::file_size(path)));

    Figures open, filter, locate, post;
    size_t checksum = 0;
    for (int run = 0; run < runs; ++run) {
        Table t(path);
        auto start = Clock::now();
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            for (int f = 0; f < t.FieldCount(); ++f) checksum += t.Fields(f).AsString().size();
        open.Add(Clock::now() - start);

        start = Clock::now();
        t.SetFilter("ID = 'ID_VAR_*' AND Type <> 'DT_TAG' AND Menu <> 'OP_MENU_VARIABLES_HIDDEN'");
        t.SetFiltered(true);
        checksum += t.RecordCount();
        filter.Add(Clock::now() - start);
        t.SetFiltered(false);

        start = Clock::now();
        checksum += t.Locate("ID;Menu", {"id_item_4999", "op_menu_factors"});
        locate.Add(Clock::now() - start);

        start = Clock::now();
        t.Edit();
        t.FieldByName("DefaultValue").SetAsString(std::to_string(run));
        t.Post();
        post.Add(Clock::now() - start);
    }
    // The floor under a post: the disk's time to take a file of that size for certain.
    Figures floor;
    std::string bytes(std::filesystem::file_size(path), 'x');
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        int fd = ::open("floor.tmp", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 ||
            ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            ::fsync(fd) != 0)
            return 1;
        ::close(fd);
        std::filesystem::rename("floor.tmp", "floor.db");
        floor.Add(Clock::now() - start);
    }
    open.Print("open and read every value");
    filter.Print("filter (variables view)");
    locate.Print("locate (last record, two fields)");
    post.Print("post one edit (atomic write + fsync)");
    floor.Print("  of which the disk: write + fsync alone");
    std::printf("(checksum %zu)\n", checksum);
    std::filesystem::current_path("/");
    std::filesystem::remove_all(pattern);
    return 0;
}
