#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/browsers/bookmark_loads.h"
#include "core/platform/file_ops.h"
#include "core/store/link_save.h"
#include "core/store/store_files.h"
#include "testing/files.h"

namespace {

using testing_support::TempFolder;

// How Linux mounts one kind of USB stick through FUSE. The commands see the image as $IMG
// and the mount point as $DIR.
struct StickKind {
    const char* name;
    const char* format;
    const char* mount;
    const char* check;  // the drive's own check of the unmounted image
};

const StickKind kSticks[] = {
    {"FAT", "mkfs.vfat \"$IMG\"", "fusefat -o rw+ \"$IMG\" \"$DIR\"", "fsck.vfat -n \"$IMG\""},
    // exfat-fuse mounts a block device only: the image becomes a loop device first
    {"exFAT", "mkfs.exfat \"$IMG\"", "mount.exfat-fuse \"$(losetup -f --show \"$IMG\")\" \"$DIR\"",
     "fsck.exfat -n \"$IMG\""},
    {"NTFS", "mkntfs -F -Q \"$IMG\"", "ntfs-3g \"$IMG\" \"$DIR\"", "ntfsfix -n \"$IMG\""},
};

// A stick of one kind in an image file, mounted at path(); unmounted when the object goes.
// Empty skipReason() once mounted.
class Stick final : public TempFolder {
public:
    explicit Stick(const StickKind& kind) : m_kind(kind) {
        if (::access("/dev/fuse", F_OK) != 0) {
            skipReason = "/dev/fuse is missing: FUSE file systems cannot be mounted here";
        } else if (run(std::string("truncate -s 32M \"$IMG\" && ") + kind.format + " && mkdir \"$DIR\" && " +
                       kind.mount) != 0) {
            skipReason = std::string(kind.name) + " image could not be mounted (no loop devices, or " +
                         "fusefat, exfat-fuse, exfatprogs or ntfs-3g missing?)";
        }
    }
    ~Stick() { unmount(); }
    [[nodiscard]] std::string path() const { return *this / "mnt"; }
    // True when the drive's own check finds the unmounted image whole.
    [[nodiscard]] bool unmountAndCheck() { return unmount(), run(m_kind.check) == 0; }
    std::string skipReason;

private:
    [[nodiscard]] int run(const std::string& command) const {
        const std::string script = "IMG='" + (*this / "stick.img") + "' DIR='" + path() + "'; " + command;
        return std::system(("(" + script + ") >/dev/null 2>&1").c_str());
    }
    void unmount() {
        if (!m_unmounted) {
            m_unmounted = true;
            static_cast<void>(run("fusermount -u \"$DIR\"; losetup -j \"$IMG\" -n -O NAME | xargs -r -n1 losetup -d"));
        }
    }
    const StickKind& m_kind;
    bool m_unmounted = false;
};

class UsbStick : public ::testing::TestWithParam<StickKind> {};

TEST_P(UsbStick, EveryStoreFileOperationKeepsEveryLink) {
    Stick stick(GetParam());
    if (!stick.skipReason.empty()) {
        GTEST_SKIP() << stick.skipReason;
    }
    const std::string store = stick.path() + "/favorites/Firefox";
    const auto link = [](const std::string& file, const char* target) {
        return file + "=" + testing_support::shortcutBytes(target);
    };
    std::filesystem::create_directories(store + "/Other");
    ASSERT_TRUE(platform::createFolder(store + "/Work"));
    testing_support::writeLink(store + "/Work", "News", "http://news.example/");
    testing_support::writeLink(store + "/Cs/Sub", "Deep", "http://deep.example/");

    // folders renamed in the tree, by their whole name or by their case only, keep their links
    // and subfolders; a folder is never renamed onto a sibling
    EXPECT_TRUE(platform::renamePath(store + "/Work/", store + "/Jobs/"));
    EXPECT_TRUE(platform::renamePath(store + "/Cs/", store + "/CS/"));
    EXPECT_FALSE(platform::renamePath(store + "/Jobs/", store + "/Other/"));
    EXPECT_EQ(testing_support::treeOf(store),
              (std::vector<std::string>{"CS/", "CS/Sub/", link("CS/Sub/Deep.url", "http://deep.example/"), "Jobs/",
                                        link("Jobs/News.url", "http://news.example/"), "Other/"}));
    // a link renamed and given a new target in the edit dialog, then one renamed in case only
    EXPECT_EQ(store::replaceLink(store + "/Jobs/News.url", store + "/Jobs/Daily.url", "http://daily.example/"),
              std::nullopt);
    EXPECT_EQ(store::replaceLink(store + "/Jobs/Daily.url", store + "/Jobs/DAILY.url", "http://daily.example/"),
              std::nullopt);
    EXPECT_TRUE(store::copyPath(store + "/Jobs/DAILY.url", store + "/Other"));
    EXPECT_TRUE(store::deletePath(store + "/Other/DAILY.url"));
    EXPECT_TRUE(store::deletePath(store + "/CS"));

    const TempFolder staging;
    testing_support::writeLink(staging.path(), "Imported", "http://imported.example/");
    std::vector<std::string> failed;
    browsers::storeImportedLinks(staging.path(), store, {"Imported.url"},
                                 [&failed](const std::string& name) { failed.push_back(name); });
    EXPECT_TRUE(failed.empty());

    EXPECT_EQ(testing_support::treeOf(stick.path() + "/favorites"),
              (std::vector<std::string>{
                  "Firefox/",
                  link("Firefox/Imported.url", "http://imported.example/"),
                  "Firefox/Jobs/",
                  link("Firefox/Jobs/DAILY.url", "http://daily.example/"),
                  "Firefox/Other/",
              }));
    EXPECT_TRUE(stick.unmountAndCheck()) << "the drive's own check finds lost clusters or damage";
}

INSTANTIATE_TEST_SUITE_P(FuseMounted, UsbStick, ::testing::ValuesIn(kSticks),
                         [](const ::testing::TestParamInfo<StickKind>& info) { return std::string(info.param.name); });

}  // namespace
