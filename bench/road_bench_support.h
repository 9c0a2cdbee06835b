// What the benchmarks of a user's road share: a program set up over a folder in memory
// (/dev/shm where it exists), the dialogs' services answered without a window, link files
// made in bulk, the floors' simplest copy loops, and the peak resident size of the process.
#pragma once

#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_folder.h"
#include "bench_links.h"
#include "core/app/app_context.h"
#include "core/platform/file_ops.h"
#include "core/store/store_layout.h"
#include "gui/kit/gui_context.h"
#include "gui/kit/modal_forms.h"

namespace road_bench {

namespace fs = std::filesystem;

// Remembers the last message, which tells whether the road ended as it should.
class LastMessage final : public ui::MessageBoxService {
public:
    ui::MsgAnswer show(const ui::Message& message) override {
        last = message;
        ++count;
        return ui::MsgAnswer::Ok;
    }
    ui::Message last;
    int count = 0;
};

// A modal form (the import's error list) would wait for the user; here it is only counted.
class CountedForms final : public ui::ModalFormService {
public:
    void showModal(QDialog& /*dialog*/) override { ++count; }
    int count = 0;
};

// The program on a stick in <root>/stick/app with its store, and a PC whose user keeps
// Internet Explorer's favorites in <root>/home/u1/Favorites.
class BenchApp final {
public:
    explicit BenchApp(const std::string& root) : m_root(root) {
        context.applicationFolder = root + "/stick/app";
        context.productFamilyFolder = root + "/velqor";
        context.registryFile = root + "/registry.reg";
        context.homeFolder = root + "/home";
        context.configFolder = root + "/home/.config";
        context.messages = &messages;
        fs::create_directories(context.applicationFolder);
        fs::create_directories(favorites());
        store::CreateFolder(context.applicationFolder);
        write(context.registryFile,
              "Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders]\r\n"
              "\"Favorites\"=\"" +
                  favorites() + "\"\r\n");
    }

    [[nodiscard]] std::string favorites() const { return m_root + "/home/u1/Favorites"; }
    [[nodiscard]] std::string firefoxProfile() const {
        return m_root + "/home/u1/Application data/Mozilla/Firefox/Profiles/abcd.default";
    }
    [[nodiscard]] std::string storeFolder(const char* topFolder) const {
        return context.applicationFolder + "/favorites/" + topFolder;
    }

    static void write(const std::string& path, const std::string& contents) {
        fs::create_directories(fs::path(path).parent_path());
        if (!platform::writeWholeFile(path, contents)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            std::exit(1);
        }
    }

    LastMessage messages;
    CountedForms forms;
    ui::DesktopContext context;
    ui::GuiContext gui{context, forms};

private:
    std::string m_root;
};

// One size of a benchmark: its folder, the program set up in it and the number of links.
class BenchPc {
public:
    BenchPc(const char* name, int links) : m_folder(name), m_app(m_folder.path()), m_links(links) {}

    [[nodiscard]] int links() const { return m_links; }
    // A folder the floor writes into.
    [[nodiscard]] std::string floorFolder(const char* name) const { return m_folder.path() + "/" + name; }
    [[nodiscard]] ui::DesktopContext& context() { return m_app.context; }
    [[nodiscard]] const ui::GuiContext& gui() const { return m_app.gui; }

    // A road ends with one message: counted from here.
    void countMessagesFromNow() { m_messagesBefore = m_app.messages.count; }
    [[nodiscard]] bool oneMessageShown() const { return m_app.messages.count == m_messagesBefore + 1; }

protected:
    BenchFolder m_folder;
    BenchApp m_app;
    int m_links;
    int m_messagesBefore = 0;
};

[[nodiscard]] inline std::string shortcutOf(int link) { return "[InternetShortcut]\r\nURL=" + urlOf(link) + "\r\n"; }

// Writes <folder>/<prefix><i>.url for each i in [first, last).
inline void writeLinks(const std::string& folder, const std::string& prefix, int first, int last) {
    fs::create_directories(folder);
    for (int link = first; link < last; ++link) {
        std::ofstream(folder + "/" + prefix + std::to_string(link) + ".url", std::ios::binary) << shortcutOf(link);
    }
}

// How many entries a folder holds.
[[nodiscard]] inline std::size_t entriesOf(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Empties a folder and keeps it.
inline void emptyFolder(const std::string& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
}

// The floors' simplest loops: one read() of a whole small file, one write() of it.
[[nodiscard]] inline std::string readSmallFile(const std::string& path) {
    char buffer[4096];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t count = fd < 0 ? 0 : ::read(fd, buffer, sizeof buffer);
    if (fd >= 0) {
        ::close(fd);
    }
    return std::string(buffer, static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
}

inline void writeSmallFile(const std::string& path, const std::string& contents) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        benchmark::DoNotOptimize(::write(fd, contents.data(), contents.size()));
        ::close(fd);
    }
}

// Copies every file of a folder tree into one folder, side by side.
inline void copyTreeFlat(const std::string& from, const std::string& to) {
    DIR* dir = ::opendir(from.c_str());
    if (dir == nullptr) {
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        if (entry->d_type == DT_DIR) {
            copyTreeFlat(from + "/" + name, to);
        } else {
            writeSmallFile(to + "/" + name, readSmallFile(from + "/" + name));
        }
    }
    ::closedir(dir);
}

// An import's floor: the bookmark file read, N link files written into the staging folder,
// emptied first, then read back and written again into the store's folder.
inline void importByTheSimplestLoop(const std::string& bookmarkFile, int links, const std::string& staged,
                                    const std::string& stored) {
    emptyFolder(staged);
    std::string text;
    benchmark::DoNotOptimize(platform::readWholeFile(bookmarkFile, text));
    for (int link = 0; link < links; ++link) {
        writeSmallFile(staged + "/" + nameOf(link) + ".url", shortcutOf(link));
    }
    copyTreeFlat(staged, stored);
}

// Copies a file of any size with one read and one write.
inline void copyWholeFile(const std::string& from, const std::string& to) {
    std::string contents;
    if (!platform::readWholeFile(from, contents) || !platform::writeWholeFile(to, contents)) {
        std::exit(1);
    }
}

// The peak resident size is measured from here.
inline void resetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The peak resident size since the last reset, in MiB.
[[nodiscard]] inline double peakResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kibibytes = 0;
            status >> kibibytes;
            return kibibytes / 1024.0;
        }
    }
    return 0;
}

// Runs each round's timed part between an untimed set-up and an untimed check, whose
// failure ends the benchmark with the error given. What the set-up made (a dialog) is
// passed to both and goes away untimed too.
template <typename SetUp, typename Timed, typename Check>
void timeRounds(benchmark::State& state, const char* error, SetUp setUp, Timed timed, Check check) {
    for (auto _ : state) {
        state.PauseTiming();
        auto prepared = setUp();
        state.ResumeTiming();
        timed(prepared);
        state.PauseTiming();
        const bool arrived = check(prepared);
        { [[maybe_unused]] const auto gone = std::move(prepared); }
        state.ResumeTiming();
        if (!arrived) {
            state.SkipWithError(error);
            break;
        }
    }
}

// A floor's round: the folder it writes into is emptied untimed first.
template <typename Timed>
void timeFloor(benchmark::State& state, const std::string& emptiedFolder, Timed timed) {
    timeRounds(
        state, "the floor failed",
        [&] {
            emptyFolder(emptiedFolder);
            return true;
        },
        [&](bool) { timed(); }, [](bool) { return true; });
}

// Every road benchmark runs three times, once each, and reports the median among them.
inline void asRoad(benchmark::internal::Benchmark* bench) {
    bench->Arg(10'000)->Arg(100'000)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true)->Unit(
        benchmark::kMillisecond);
}

// A dialog shown on the screen and drawn there, as the user has it before the click.
template <typename Dialog>
std::unique_ptr<Dialog> shown(std::unique_ptr<Dialog> dialog) {
    dialog->show();
    QElapsedTimer waited;
    waited.start();
    while (!(dialog->windowHandle() != nullptr && dialog->windowHandle()->isExposed()) && !waited.hasExpired(5000)) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    QCoreApplication::processEvents();
    return dialog;
}

// The windows run offscreen unless a platform is named (scripts/bench-x11.sh names the X
// server's, with a window manager, to time them where the user has them).
inline int runBenchmarks(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace road_bench
