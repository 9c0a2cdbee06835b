// Listing a folder of N links: the core listing and the filled list widget, beside the
// floor of the same files opened and read by the simplest loop. Run on a tmpfs folder.
#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/app/app_context.h"
#include "core/store/folder_scan.h"
#include "gui/widgets/link_list.h"

namespace {

std::string benchRoot() {
    const char* base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    return std::string(base) + "/dorvane-bench-links";
}

// A folder of `count` links, made once per size.
std::string folderOf(int count) {
    const std::string folder = benchRoot() + "/" + std::to_string(count) + "/";
    if (!std::filesystem::exists(folder)) {
        std::filesystem::create_directories(folder);
        for (int i = 0; i < count; ++i) {
            std::ofstream(folder + "Link " + std::to_string(i) + ".url", std::ios::binary)
                << "[InternetShortcut]\r\nURL=https://www.example.com/page/" << i << "\r\n";
        }
    }
    return folder;
}

void floorReadEveryFile(benchmark::State& state) {
    const std::string folder = folderOf(static_cast<int>(state.range(0)));
    char buffer[4096];
    for (auto _ : state) {
        std::size_t bytes = 0;
        DIR* dir = opendir(folder.c_str());
        while (const dirent* entry = readdir(dir)) {
            const int fd = open((folder + entry->d_name).c_str(), O_RDONLY);
            if (fd >= 0) {
                bytes += static_cast<std::size_t>(std::max<ssize_t>(0, read(fd, buffer, sizeof buffer)));
                close(fd);
            }
        }
        closedir(dir);
        benchmark::DoNotOptimize(bytes);
    }
}

void coreListing(benchmark::State& state) {
    const std::string folder = folderOf(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::listLinks(folder, store::RowText::LinkName));
    }
}

void filledWidget(benchmark::State& state) {
    const std::string folder = folderOf(static_cast<int>(state.range(0)));
    ui::DesktopContext context;
    QTreeWidget view;
    ui::LinkList list(context, view, ui::LinkListOptions{});
    for (auto _ : state) {
        list.fill(folder);
        benchmark::DoNotOptimize(list.rowCount());
    }
}

BENCHMARK(floorReadEveryFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(coreListing)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(filledWidget)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(benchRoot());
    return 0;
}
