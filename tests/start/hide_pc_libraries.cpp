// hide_pc_libraries <library name>... -- <command> [arguments...]
//
// Runs the command in a mount namespace where this PC's copies of the named libraries are empty
// files and its Qt plugin folder is empty: the PC of a user who never installed Qt. The library
// folder is read-only there, so that nothing the command does lands in it. Every mount
// is made here, in one process, because mount(8) itself needs some of the libraries it hides.
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr const char* kLibraryFolders[] = {"/usr/lib/x86_64-linux-gnu", "/usr/lib64", "/usr/lib"};
constexpr const char* kQtPluginFolder = "/usr/lib/x86_64-linux-gnu/qt6/plugins";

bool mounted(const char* source, const std::string& target, const char* type, unsigned long flags) {
    if (::mount(source, target.c_str(), type, flags, nullptr) == 0) {
        return true;
    }
    std::perror(("mount " + target).c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    int command = 1;
    while (command < argc && std::strcmp(argv[command], "--") != 0) {
        ++command;
    }
    if (++command >= argc) {
        std::fprintf(stderr, "usage: hide_pc_libraries <library name>... -- <command> [arguments...]\n");
        return 2;
    }
    if (::unshare(CLONE_NEWNS) != 0 || !mounted(nullptr, "/", nullptr, MS_REC | MS_PRIVATE)) {
        std::perror("unshare");
        return 1;
    }
    for (int name = 1; name + 1 < command; ++name) {
        for (const char* folder : kLibraryFolders) {
            std::error_code error;
            const fs::path own = fs::canonical(fs::path(folder) / argv[name], error);
            if (!error && !mounted("/dev/null", own, nullptr, MS_BIND)) {
                return 1;
            }
        }
    }
    if (fs::is_directory(kQtPluginFolder) && !mounted("tmpfs", kQtPluginFolder, "tmpfs", MS_RDONLY)) {
        return 1;
    }
    // the loader's folder, where a program that took it for its own would write its settings
    if (!mounted(kLibraryFolders[0], kLibraryFolders[0], nullptr, MS_BIND | MS_REC) ||
        !mounted(nullptr, kLibraryFolders[0], nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY)) {
        return 1;
    }
    ::execvp(argv[command], argv + command);
    std::perror(argv[command]);
    return 127;
}
