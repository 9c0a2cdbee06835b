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

// A FAT file system in an image file, mounted through FUSE as Linux mounts a USB stick with
// fusefat, at path(); unmounted when the object goes. Empty skipReason() once mounted.
class FatStick final : public TempFolder {
public:
    FatStick() {
        const std::string image = *this / "stick.img";
        const std::string mount = "truncate -s 32M '" + image + "' && mkfs.vfat '" + image + "' && mkdir '" +
                                  path() + "' && fusefat -o rw+ '" + image + "' '" + path() + "'";
        if (::access("/dev/fuse", F_OK) != 0) {
            skipReason = "/dev/fuse is missing: FUSE file systems cannot be mounted here";
        } else if (std::system(("(" + mount + ") >/dev/null 2>&1").c_str()) != 0) {
            skipReason = "a FAT image could not be mounted with fusefat (are dosfstools and fusefat installed?)";
        }
    }
    ~FatStick() {
        if (skipReason.empty()) {
            static_cast<void>(std::system(("fusermount -u '" + path() + "' >/dev/null 2>&1").c_str()));
        }
    }
    [[nodiscard]] std::string path() const { return *this / "mnt"; }
    std::string skipReason;
};

TEST(FatStick, EveryStoreFileOperationWorksOnAFuseMountedStick) {
    const FatStick stick;
    if (!stick.skipReason.empty()) {
        GTEST_SKIP() << stick.skipReason;
    }
    const std::string store = stick.path() + "/favorites/Firefox";
    std::filesystem::create_directories(store + "/Other");
    ASSERT_TRUE(platform::createFolder(store + "/Work"));
    testing_support::writeLink(store + "/Work", "News", "http://news.example/");

    // a folder renamed in the tree, and never onto a sibling
    EXPECT_TRUE(platform::renamePath(store + "/Work/", store + "/Jobs/"));
    EXPECT_FALSE(platform::renamePath(store + "/Jobs/", store + "/Other/"));
    // a link renamed and given a new target in the edit dialog, then one renamed in case only
    EXPECT_EQ(store::replaceLink(store + "/Jobs/News.url", store + "/Jobs/Daily.url", "http://daily.example/"),
              std::nullopt);
    EXPECT_EQ(store::replaceLink(store + "/Jobs/Daily.url", store + "/Jobs/DAILY.url", "http://daily.example/"),
              std::nullopt);
    EXPECT_TRUE(store::copyPath(store + "/Jobs/DAILY.url", store + "/Other"));
    EXPECT_TRUE(store::deletePath(store + "/Other/DAILY.url"));

    const TempFolder staging;
    testing_support::writeLink(staging.path(), "Imported", "http://imported.example/");
    std::vector<std::string> failed;
    browsers::storeImportedLinks(staging.path(), store, {"Imported.url"},
                                 [&failed](const std::string& name) { failed.push_back(name); });
    EXPECT_TRUE(failed.empty());

    EXPECT_EQ(testing_support::treeOf(stick.path() + "/favorites"),
              (std::vector<std::string>{
                  "Firefox/",
                  "Firefox/Imported.url=" + testing_support::shortcutBytes("http://imported.example/"),
                  "Firefox/Jobs/",
                  "Firefox/Jobs/DAILY.url=" + testing_support::shortcutBytes("http://daily.example/"),
                  "Firefox/Other/",
              }));
}

}  // namespace
