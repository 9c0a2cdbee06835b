#include "gui/windows/add_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "testing/files.h"
#include "gui/windows/link_dialog_fixture.h"

namespace {

using testing_support::shortcutBytes;
using testing_support::treeOf;
using Tree = std::vector<std::string>;

class AddDialogTest : public testing_support::LinkDialogTest {
protected:
    AddDialogTest() {
        app.context.ownerName = "Ann";
        std::filesystem::create_directories(store("Internet Explorer/Links"));
        std::filesystem::create_directories(store("Firefox"));
        dialog = std::make_unique<ui::frmAdd>(app.context);
    }

    void add(const QString& name, const QString& target) { enter(*dialog, name, target, "btnAdd"); }

    std::unique_ptr<ui::frmAdd> dialog;
};

TEST_F(AddDialogTest, WithTheRootSelectedItAsksForAFolderEvenWhenBothFieldsAreFilled) {
    add("News", "http://news.example/");
    expectMessage("Please select a folder in Dorvane Lite first, Ann.", text(300), app::MsgIcon::Exclamation);
    EXPECT_EQ(treeOf(store("")), (Tree{"Firefox/", "Internet Explorer/", "Internet Explorer/Links/"}));
    EXPECT_EQ(fields(*dialog), (QStringList{"News", "http://news.example/"}));
}

TEST_F(AddDialogTest, ANameOrUrlMadeOfSpacesCountsAsEmpty) {
    clickFolder(dialog->folderTree(), "Firefox");
    const std::pair<const char*, const char*> cases[] = {
        {"", "http://x/"}, {"News", ""}, {"   ", "http://x/"}, {"News", "  "}};
    for (const auto& [name, target] : cases) {
        add(name, target);
        expectMessage("Please enter both a name and a URL for the link, Ann.", text(300), app::MsgIcon::Exclamation);
    }
    EXPECT_TRUE(std::filesystem::is_empty(store("Firefox")));
}

TEST_F(AddDialogTest, AddingNewsInLinksWritesTheTrimmedLinkAndEmptiesTheFields) {
    clickFolder(dialog->folderTree(), "Internet Explorer/Links");
    EXPECT_EQ(dialog->targetDisplayPath(), "Browser/Internet Explorer/Links");
    add("  News ", " http://news.example/a b  ");
    EXPECT_EQ(treeOf(store("Internet Explorer/Links")),
              Tree{"News.url=[InternetShortcut]\r\nURL=http://news.example/a b\r\n"});
    expectMessage(text(538), text(307), app::MsgIcon::Information);
    EXPECT_EQ(fields(*dialog), (QStringList{"", ""}));
}

TEST_F(AddDialogTest, AddingANameTwiceAsksAndNoKeepsTheLinkAndTheFields) {
    clickFolder(dialog->folderTree(), "Internet Explorer/Links");
    add("News", "http://first.example/");
    app.messages.shown.clear();

    app.messages.answerNext(app::MsgAnswer::No);
    add("news", "http://second.example/");
    expectMessage(text(556), text(329), app::MsgIcon::Question);
    EXPECT_EQ(treeOf(store("Internet Explorer/Links")), Tree{"News.url=" + shortcutBytes("http://first.example/")});
    EXPECT_EQ(fields(*dialog), (QStringList{"news", "http://second.example/"}));

    // Yes replaces the link in its file, whatever the case the name was typed in
    add("news", "http://second.example/");
    EXPECT_EQ(treeOf(store("Internet Explorer/Links")), Tree{"News.url=" + shortcutBytes("http://second.example/")});
}

TEST_F(AddDialogTest, ANameHoldingDotUrlIsTheWholeFileName) {
    clickFolder(dialog->folderTree(), "Firefox");
    for (const char* name : {"Page.URL", "my.url.backup", "Plain"}) {
        add(name, "x");
    }
    EXPECT_EQ(treeOf(store("Firefox")), (Tree{"Page.URL=" + shortcutBytes("x"), "Plain.url=" + shortcutBytes("x"),
                                              "my.url.backup=" + shortcutBytes("x")}));
}

TEST_F(AddDialogTest, ANameNeverLeadsIntoAnotherFolder) {
    clickFolder(dialog->folderTree(), "Internet Explorer");
    add("Links/News", "http://x/");
    expectError();
    EXPECT_TRUE(std::filesystem::is_empty(store("Internet Explorer/Links")));
}

TEST_F(AddDialogTest, ClearEmptiesTheFieldsAndKeepsTheChosenFolder) {
    clickFolder(dialog->folderTree(), "Internet Explorer/Links");
    enter(*dialog, "News", "http://x/", "btnCancel");
    EXPECT_EQ(fields(*dialog), (QStringList{"", ""}));
    add("News", "http://x/");
    EXPECT_TRUE(std::filesystem::exists(store("Internet Explorer/Links/News.url")));
}

}  // namespace
