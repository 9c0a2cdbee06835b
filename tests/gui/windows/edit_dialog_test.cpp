#include "gui/windows/edit_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "gui/widgets/link_list.h"
#include "testing/files.h"
#include "testing/read_only.h"
#include "gui/windows/link_dialog_fixture.h"

namespace {

using testing_support::shortcutBytes;
using testing_support::TmpfsMount;
using testing_support::treeOf;
using testing_support::writeLink;
using Tree = std::vector<std::string>;

class EditDialogTest : public testing_support::LinkDialogTest {
protected:
    void openOnFirefox() {
        dialog = std::make_unique<ui::frmEdit>(app.context);
        clickFolder(dialog->folderTree(), "Firefox");
    }

    // Clicks the link's row, types the new name and URL, and saves.
    void edit(const std::string& linkName, const QString& name, const QString& target) {
        for (int row = 0; row < dialog->linkList().rowCount(); ++row) {
            if (dialog->linkList().textOf(row) == linkName) {
                clickRow(dialog->linkList().view(), row);
            }
        }
        enter(*dialog, name, target, "btnSave");
    }

    void expectSaved() { expectMessage(text(538), text(312), app::MsgIcon::Information); }

    std::unique_ptr<ui::frmEdit> dialog;
};

TEST_F(EditDialogTest, ChangingOnlyTheUrlRewritesTheSameFileWithoutAsking) {
    testing_support::writeFile(store("Firefox/news.url"), "[InternetShortcut]\r\nURL=http://old/\r\nIconIndex=1\r\n");
    openOnFirefox();
    clickRow(dialog->linkList().view(), 0);
    EXPECT_EQ(fields(*dialog), (QStringList{"news", "http://old/"}));
    enter(*dialog, "news", "http://new/", "btnSave");
    expectSaved();
    EXPECT_EQ(treeOf(store("Firefox")), Tree{"news.url=" + shortcutBytes("http://new/")});
    EXPECT_EQ(dialog->linkList().targetOf(0), "http://new/");
    EXPECT_EQ(fields(*dialog), (QStringList{"", ""}));
}

TEST_F(EditDialogTest, RenamesStayInTheFolderAndAskOnlyWhenAnotherLinkHasTheName) {
    struct Case {
        const char* newName;
        app::MsgAnswer answer;
        bool asked;
        Tree expected;
    };
    const std::string other = "other.url=" + shortcutBytes("http://o/");
    const Case cases[] = {
        {"News", app::MsgAnswer::Yes, false, {"News.url=" + shortcutBytes("http://new/"), other}},
        {" Fresh ", app::MsgAnswer::Yes, false, {"Fresh.url=" + shortcutBytes("http://new/"), other}},
        {"other", app::MsgAnswer::No, true, {"news.url=" + shortcutBytes("http://n/"), other}},
        {"OTHER", app::MsgAnswer::Yes, true, {"other.url=" + shortcutBytes("http://new/")}},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.newName);
        std::filesystem::remove_all(store("Firefox"));
        writeLink(store("Firefox"), "news", "http://n/");
        writeLink(store("Firefox"), "other", "http://o/");
        app.messages.shown.clear();
        openOnFirefox();
        app.messages.answerNext(each.answer);
        edit("news", each.newName, "http://new/");
        EXPECT_EQ(!app.messages.shown.empty() && app.messages.shown[0].text == text(556), each.asked);
        EXPECT_EQ(treeOf(store("Firefox")), each.expected);
    }
}

TEST_F(EditDialogTest, SavingBeforeAnyLinkWasClickedShowsAnErrorAndChangesNothing) {
    writeLink(store("Firefox"), "news", "http://n/");
    openOnFirefox();
    const Tree before = treeOf(store(""));
    enter(*dialog, "Fresh", "http://new/", "btnSave");
    expectError();
    EXPECT_EQ(treeOf(store("")), before);
}

TEST_F(EditDialogTest, ANameTheFileSystemRefusesKeepsTheOldLink) {
    std::filesystem::create_directories(store("Firefox/Work"));
    writeLink(store("Firefox"), "news", "http://n/");
    openOnFirefox();
    for (const std::string& name : {std::string("Work/News"), std::string(300, 'x')}) {
        edit("news", QString::fromStdString(name), "http://new/");
        expectError();
        EXPECT_EQ(treeOf(store("Firefox")), (Tree{"Work/", "news.url=" + shortcutBytes("http://n/")}));
        EXPECT_EQ(fields(*dialog)[0].toStdString(), name);
    }
}

TEST_F(EditDialogTest, AReadOnlyOrFullDriveKeepsTheOldLink) {
    const std::string link = shortcutBytes("http://n/");
    TmpfsMount readOnly({{"favorites/Firefox/news.url", link}}, TmpfsMount::Access::ReadOnly);
    // one page for the link, the rest of the drive taken by a filler
    TmpfsMount full({{"favorites/Firefox/news.url", link}, {"filler", std::string(60 * 1024, 'f')}},
                    TmpfsMount::Access::Writable, TmpfsMount::kFullDiskSize);
    if (!readOnly.mounted() || !full.mounted()) {
        GTEST_SKIP() << readOnly.skipReason() << full.skipReason();
    }
    for (const TmpfsMount* drive : {&readOnly, &full}) {
        app.context.applicationFolder = drive->path();
        openOnFirefox();
        for (const char* newName : {"news", "Fresh"}) {
            SCOPED_TRACE(drive->path() + " " + newName);
            edit("news", newName, "http://a-much-longer-address.example/with/a/path");
            expectError();
            EXPECT_EQ(treeOf(store("Firefox")), Tree{"news.url=" + link});
        }
    }
}

TEST_F(EditDialogTest, ASecondSaveWithoutAClickWritesANewLinkIntoTheSameFolder) {
    writeLink(store("Firefox"), "news", "http://n/");
    openOnFirefox();
    edit("news", "Renamed", "http://r/");
    expectSaved();
    enter(*dialog, "Another", "http://a/", "btnSave");
    expectSaved();
    EXPECT_EQ(treeOf(store("Firefox")),
              (Tree{"Another.url=" + shortcutBytes("http://a/"), "Renamed.url=" + shortcutBytes("http://r/")}));
}

TEST_F(EditDialogTest, DoubleClickingARowOpensItsUrlWithoutAMessage) {
    writeLink(store("Firefox"), "news", "http://n/");
    writeLink(store("Firefox"), "blank", "");
    openOnFirefox();
    app.shell.result = 2;
    QTreeWidget& list = dialog->linkList().view();
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        list.setCurrentItem(list.topLevelItem(row));
        emit list.itemDoubleClicked(list.topLevelItem(row), 0);
    }
    // an empty URL goes to the shell as it is
    EXPECT_EQ(app.shell.opened, (std::vector<std::string>{"", "http://n/"}));
    EXPECT_EQ(app.shell.slept, (std::vector<int>{1000, 1000}));
    EXPECT_TRUE(app.messages.shown.empty());
}

}  // namespace
