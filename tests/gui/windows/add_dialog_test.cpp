#include "gui/windows/add_dialog.h"

#include "gui/windows/store_window_fixture.h"

namespace {

using testing_support::treeOf;
using Tree = std::vector<std::string>;

class AddDialogTest : public testing_support::StoreWindowTest {
protected:
    AddDialogTest() {
        std::filesystem::create_directories(store("Internet Explorer/Links"));
        std::filesystem::create_directories(store("Firefox"));
        dialog = std::make_unique<ui::AddDialog>(app.context);
    }

    void add(const QString& name, const QString& target) { enter(*dialog, name, target, "btnAdd"); }

    std::unique_ptr<ui::AddDialog> dialog;
};

TEST_F(AddDialogTest, NothingIsAddedWithoutAFolderOrWithANameOrUrlMadeOfSpacesOrANameWindowsRefuses) {
    add("News", "http://news.example/");  // the root is selected
    EXPECT_EQ(shown(),
              Tree{said("Please select a folder in Dorvane Lite first, Ann.", text(300), ui::MsgIcon::Exclamation)});
    EXPECT_EQ(fields(*dialog), (QStringList{"News", "http://news.example/"}));
    click(dialog->folderTree().view(), "Firefox");
    const std::pair<const char*, const char*> cases[] = {
        {"", "http://x/"}, {"News", ""}, {"  ", "http://x/"}, {"N", " "}};
    for (const auto& [name, target] : cases) {
        add(name, target);
        EXPECT_EQ(shown(), Tree{said("Please enter both a name and a URL for the link, Ann.", text(300),
                                     ui::MsgIcon::Exclamation)});
    }
    // names Windows refuses: the stick would hold a link no Windows PC can open
    for (const char* name : {"CON", "nul.txt", "Lpt9", "a:b", "Work/News", ". ."}) {
        add(name, "http://x/");
        EXPECT_EQ(shown(), Tree{said(560, 300, ui::MsgIcon::Exclamation)}) << name;
    }
    EXPECT_EQ(treeOf(store("")), (Tree{"Firefox/", "Internet Explorer/", "Internet Explorer/Links/"}));
}

// A typed name is trimmed and becomes the file name, with ".url" added unless it holds one.
TEST_F(AddDialogTest, EachAddWritesTheTrimmedLinkIntoTheChosenFolderAndEmptiesTheFields) {
    click(dialog->folderTree().view(), "Internet Explorer");
    click(dialog->folderTree().view(), "Links");
    for (const char* name : {"  News ", "Page.URL", "my.url.backup"}) {
        add(name, " http://news.example/a b  ");
        EXPECT_EQ(shown(), Tree{said(538, 307, ui::MsgIcon::Information)});
        EXPECT_EQ(fields(*dialog), (QStringList{"", ""}));
    }
    // Clear empties the fields and keeps the chosen folder
    enter(*dialog, "Plain", "x", "btnCancel");
    EXPECT_EQ(fields(*dialog), (QStringList{"", ""}));
    add("Plain", "x");
    const std::string link = "=[InternetShortcut]\r\nURL=http://news.example/a b\r\n";
    EXPECT_EQ(treeOf(store("Internet Explorer/Links")),
              (Tree{"News.url" + link, "Page.URL" + link, "Plain.url=[InternetShortcut]\r\nURL=x\r\n",
                    "my.url.backup" + link}));
}

TEST_F(AddDialogTest, AddingANameTwiceAsksAndNoKeepsTheLinkAndTheFieldsWhileYesReplacesIt) {
    click(dialog->folderTree().view(), "Firefox");
    add("News", "http://first.example/");
    app.messages.answerNext(ui::MsgAnswer::No);
    add("news", "http://second.example/");
    const std::string ask = said(556, 329, ui::MsgIcon::Question, ui::MsgAnswer::No);
    EXPECT_EQ(shown(), (Tree{said(538, 307, ui::MsgIcon::Information), ask}));
    EXPECT_EQ(treeOf(store("Firefox")), Tree{"News.url=" + testing_support::shortcutBytes("http://first.example/")});
    EXPECT_EQ(fields(*dialog), (QStringList{"news", "http://second.example/"}));
    // the file keeps the case of its name
    add("news", "http://second.example/");
    EXPECT_EQ(treeOf(store("Firefox")), Tree{"News.url=" + testing_support::shortcutBytes("http://second.example/")});
}

}  // namespace
