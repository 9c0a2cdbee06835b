#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/browsers/bookmark_loads.h"
#include "testing/files.h"

namespace {

using testing_support::readFile;
using testing_support::shortcutBytes;
using testing_support::writeLink;

constexpr int kLinks = 1000;

// An import of many links into a store folder that holds other spellings of some of their
// names: each link replaces the file that stands for its name without regard to case (the
// exact spelling first, else the first in name order), and that file keeps its spelling.
// The drive may list two spellings in either order: they are made in both.
TEST(BulkCopy, EachLinkReplacesTheFileOfItsNameWhateverItsCaseAndNoSecondSpellingAppears) {
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "spellings made in reverse order" : "spellings made in name order");
        const testing_support::TempFolder root;
        const std::string staging = root / "Fav";
        const std::string store = root / "Firefox";
        std::vector<std::string> present = {"News", "MAIL", "mail", "SPORT", "Sport"};
        if (reversed) {
            std::reverse(present.begin(), present.end());
        }
        for (const std::string& name : present) {
            writeLink(store, name, "old " + name);
        }
        std::vector<std::string> fileNames;
        for (int link = 0; link < kLinks; ++link) {
            const std::string name = "Link " + std::to_string(link);
            writeLink(staging, name, "http://" + std::to_string(link));
            fileNames.push_back(name + ".url");
        }
        for (const char* name : {"NEWS", "Mail", "Sport"}) {
            writeLink(staging, name, std::string("new ") + name);
            fileNames.push_back(std::string(name) + ".url");
        }

        std::vector<std::string> failed;
        browsers::storeImportedLinks(staging, store, fileNames,
                                     [&](const std::string& name) { failed.push_back(name); });

        EXPECT_TRUE(failed.empty());
        const struct {
            const char* file;
            const char* target;
        } expected[] = {
            // the one other spelling takes the link
            {"News.url", "new NEWS"},
            // of two other spellings, the first in name order
            {"MAIL.url", "new Mail"},
            {"mail.url", "old mail"},
            // the exact spelling before any other
            {"Sport.url", "new Sport"},
            {"SPORT.url", "old SPORT"},
            // the links new to the folder
            {"Link 0.url", "http://0"},
            {"Link 999.url", "http://999"},
        };
        for (const auto& file : expected) {
            EXPECT_EQ(readFile(store + "/" + file.file), shortcutBytes(file.target)) << file.file;
        }
        const auto entries =
            std::distance(std::filesystem::directory_iterator(store), std::filesystem::directory_iterator());
        EXPECT_EQ(entries, kLinks + 5);
    }
}

}  // namespace
