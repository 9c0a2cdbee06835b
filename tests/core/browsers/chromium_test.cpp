#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <tuple>

#include "core/browsers/chromium_bookmarks.h"
#include "core/browsers/chromium_transfer.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using browsers::ChromiumExportOutcome;
using browsers::LoadOutcome;
using testing_support::readFile;
using testing_support::treeOf;
using testing_support::writeFile;
using Json = nlohmann::ordered_json;

const std::string kCorpus = std::string(DORVANE_CORPUS_DIR) + "/chromium-linux";

// A bookmark file as the browser writes it, with these links in the bar; the checksum is
// computed over the bar "B", the link, "O" and "M" as the browser does.
std::string bookmarksFile(const std::string& barLinks, const std::string& checksum = "") {
    return R"({"checksum": ")" + checksum + R"(", "roots": {"bookmark_bar": {"id": "1", "name": "B", "type": "folder",
           "children": [)" +
           barLinks + R"(]}, "other": {"id": "2", "name": "O", "type": "folder", "children": [],
           "x_kept": [1, {"a": null}]}, "synced": {"id": "3", "name": "M", "type": "folder"}, "x_root": {"id": "90"}},
           "x_sync": "opaque", "version": 1})";
}
std::string linkNode(const std::string& id, const std::string& name, const std::string& url) {
    return R"({"id": ")" + id + R"(", "guid": "g)" + id + R"(", "name": ")" + name + R"(", "type": "url", "url": ")" +
           url + R"("})";
}

// A file the browser loads as it stands: the checksum it states is the one the browser computes,
// and it holds this many links.
bool isSound(const std::string& text, std::size_t links) {
    browsers::LinkTable table;
    return browsers::readChromiumBookmarks(text, table) && table.size() == links &&
           browsers::chromiumChecksum(text) == Json::parse(text)["checksum"].get<std::string>();
}

struct ChromiumTest : ::testing::Test {
    // The links of a load, staged as the program stages any link table: the files a user finds.
    std::vector<std::string> stagedFrom(const std::vector<browsers::Link>& links) {
        browsers::LinkTable table;
        for (const auto& link : links) {
            table.add(link.name, link.url);
        }
        const std::string folder = app.root / "expected";
        std::filesystem::create_directories(folder);
        browsers::createURLFile(table, folder);
        return treeOf(folder);
    }
    std::vector<std::string> load(LoadOutcome outcome) {
        const auto installs = browsers::findChromiumInstalls(app.context.homeFolder, app.context.configFolder);
        EXPECT_EQ(browsers::loadURLChrome(installs, app.context.stagingFolder()), outcome);
        return std::filesystem::exists(app.context.stagingFolder()) ? treeOf(app.context.stagingFolder())
                                                                    : std::vector<std::string>{};
    }
    browsers::ChromiumExport exportLinks(const std::vector<browsers::Link>& links) {
        return browsers::exportToChromium({browsers::ChromiumBrowser::Chromium, "Chromium", userData}, links,
                                          app.context.backupFolder());
    }

    testing_support::TestApp app;
    std::string userData = app.context.configFolder + "/chromium";
};

// The corpus was written by the browser itself; expected.tsv is what its own bookmark API listed.
TEST_F(ChromiumTest, EveryProfileOfTheCorpusIsStagedInTheBrowsersOwnOrderWithItsChecksumsReproduced) {
    if (!std::filesystem::exists(kCorpus)) {
        GTEST_SKIP() << "the shared corpus is not beside the project: " << kCorpus;
    }
    std::filesystem::create_directories(app.context.configFolder);
    std::filesystem::copy(kCorpus, userData, std::filesystem::copy_options::recursive);
    std::vector<browsers::Link> expected;
    std::ifstream tsv(kCorpus + "/expected.tsv");
    for (std::string line; std::getline(tsv, line);) {
        const std::size_t name = line.find('\t', line.find('\t') + 1) + 1;
        const std::size_t url = line.find('\t', name) + 1;
        expected.push_back({line.substr(name, url - 1 - name), line.substr(url)});
    }
    ASSERT_EQ(expected.size(), 305U);
    EXPECT_EQ(load(LoadOutcome::Staged), stagedFrom(expected));
    for (const char* profile : {"/Default/Bookmarks", "/Profile 1/Bookmarks"}) {
        const std::string text = readFile(userData + profile);
        EXPECT_EQ(browsers::chromiumChecksum(text), Json::parse(text)["checksum"]) << profile;
    }
}

// A file the browser would not load is passed over; only when no profile gives one is there no file.
TEST_F(ChromiumTest, DamagedOrForeignFilesArePassedOverAndNoBookmarkFileOnlyWhenNoProfileGaveOne) {
    const std::string good = bookmarksFile(linkNode("4", "Café 𝕄", "http://x/"));
    EXPECT_EQ(browsers::chromiumChecksum(good), "966ebda64a06cf1981e7b08fbe2fe94f");
    const std::string localState = R"({"profile": {"info_cache": {"Default": {}, "Profile 2": {}, "../x": {}},
                                      "profiles_order": ["Profile 2", "Default"]}})";
    struct Case {
        std::string defaultFile, profile2File, localState;
        LoadOutcome outcome;
        std::vector<browsers::Link> staged;
    };
    const std::string second = bookmarksFile(linkNode("4", "Café 𝕄", "http://second/"));
    const std::vector<Case> cases{
        {good, second, localState, LoadOutcome::Staged, {{"Café 𝕄", "http://second/"}, {"Café 𝕄", "http://x/"}}},
        {good, "{\"version\": 1, \"roots\": [", localState, LoadOutcome::Staged, {{"Café 𝕄", "http://x/"}}},
        {"", std::string(300, '[') + good, localState, LoadOutcome::NoBookmarkFile, {}},
        {good, "", "no json", LoadOutcome::Staged, {{"Café 𝕄", "http://x/"}}},  // only Default then
        {good.substr(0, good.size() - 2) + "2}", "{}", localState, LoadOutcome::NoBookmarkFile, {}},  // version 2
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(app.root / "home");
        std::filesystem::remove_all(app.context.scratchFolder());
        writeFile(userData + "/Local State", c.localState);
        writeFile(userData + "/Default/Bookmarks", c.defaultFile);
        writeFile(userData + "/Profile 2/Bookmarks", c.profile2File);
        writeFile(app.context.configFolder + "/x/Bookmarks", good);
        EXPECT_EQ(load(c.outcome), c.staged.empty() ? std::vector<std::string>{} : stagedFrom(c.staged))
            << c.defaultFile;
    }
}

// Links go to the end of the other bookmarks of the profile used last, each new name once;
// everything else of the file stays, and the old file is kept in the program's own folder.
TEST_F(ChromiumTest, ExportAddsNewNamesToTheLastUsedProfileKeepingEveryUnknownValueAndACopyOfTheOldFile) {
    writeFile(userData + "/Local State",
              R"({"profile": {"info_cache": {"Profile 2": {"name": "Ada"}}, "last_used": "Profile 2"}})");
    const std::string old = bookmarksFile(linkNode("7", "News", "http://n/"), "wrong");
    writeFile(userData + "/Profile 2/Bookmarks", old);
    writeFile(userData + "/Default/Bookmarks", old);
    const std::int64_t before = browsers::chromiumTimeNow();
    const auto result = exportLinks({{"NEWS", "http://dup/"},
                                     {"Mail", "http://m/"},
                                     {"Mail", "http://m2/"},
                                     {"bad\xff", "http://b/"},
                                     {"Bare", "www.example.com"}});
    EXPECT_EQ(result.outcome, ChromiumExportOutcome::Done);
    EXPECT_EQ(result.profile, "Ada");

    const std::string text = readFile(userData + "/Profile 2/Bookmarks");
    EXPECT_TRUE(isSound(text, 4));
    Json file = Json::parse(text);
    Json expected = Json::parse(old);
    std::set<std::string> guids;
    for (Json& added : file["roots"]["other"]["children"]) {
        EXPECT_GE(std::stoll(added["date_added"].get<std::string>()), before);
        EXPECT_TRUE(guids.insert(added["guid"]).second);
        EXPECT_EQ(added["guid"].get<std::string>().size(), 36U);
        added.erase("guid");
        added.erase("date_added");
    }
    for (const auto& [id, name, url] :
         {std::tuple{"91", "Mail", "http://m/"}, {"92", "Mail", "http://m2/"}, {"93", "bad\uFFFD", "http://b/"}}) {
        expected["roots"]["other"]["children"].push_back(
            {{"date_last_used", "0"}, {"id", id}, {"name", name}, {"type", "url"}, {"url", url}});
    }
    expected["checksum"] = file["checksum"];
    EXPECT_EQ(file, expected);
    EXPECT_EQ(readFile(userData + "/Default/Bookmarks"), old);
    // a second export within the same second, with nothing new, leaves the file and its copy
    EXPECT_EQ(exportLinks({{"mail", "http://m3/"}}).outcome, ChromiumExportOutcome::Done);
    EXPECT_EQ(readFile(userData + "/Profile 2/Bookmarks"), text);
    const std::string backups = app.context.backupFolder() + "/Chromium/Profile 2";
    ASSERT_EQ(std::distance(std::filesystem::directory_iterator(backups), {}), 1);
    EXPECT_EQ(readFile(std::filesystem::directory_iterator(backups)->path()), old);
}

// While the browser runs, or when the file cannot be written safely, nothing is written at all.
TEST_F(ChromiumTest, ExportWritesOnlyWhileTheBrowserIsClosedAndNeverOverADamagedOrEncryptedOnlyProfile) {
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const std::string good = bookmarksFile("");
    struct Case {
        std::string lock, file, encrypted;
        ChromiumExportOutcome outcome;
    };
    const std::vector<Case> cases{
        {std::string(host) + "-" + std::to_string(::getpid()), good, "", ChromiumExportOutcome::BrowserRuns},
        {"elsewhere-1", good, "", ChromiumExportOutcome::BrowserRuns},
        {std::string(host) + "-" + std::to_string(ended), good, "", ChromiumExportOutcome::Done},  // a crash's lock
        {"", "", "v10 sealed", ChromiumExportOutcome::EncryptedProfile},
        {"", good.substr(1), "", ChromiumExportOutcome::NotWritten},
        {"", "", "", ChromiumExportOutcome::Done},  // a profile that never had a bookmark
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(app.root / "home");
        std::filesystem::create_directories(userData + "/Default");
        if (!c.lock.empty()) {
            std::filesystem::create_symlink(c.lock, userData + "/SingletonLock");
        }
        if (!c.file.empty()) {
            writeFile(userData + "/Default/Bookmarks", c.file);
        }
        if (!c.encrypted.empty()) {
            writeFile(userData + "/Default/EncryptedBookmarks2", c.encrypted);
        }
        const auto before = treeOf(userData);
        EXPECT_EQ(exportLinks({{"A", "http://a/"}}).outcome, c.outcome) << c.lock << c.file;
        if (c.outcome == ChromiumExportOutcome::Done) {
            EXPECT_TRUE(isSound(readFile(userData + "/Default/Bookmarks"), 1));
        } else {
            EXPECT_EQ(treeOf(userData), before) << c.lock << c.file;
        }
    }
}

}  // namespace
