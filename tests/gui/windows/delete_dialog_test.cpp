#include "gui/windows/delete_dialog.h"

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>

#include "core/app/text_libraries.h"
#include "gui/widgets/link_list.h"
#include "testing/files.h"
#include "gui/windows/link_dialog_fixture.h"

namespace {

class DeleteDialogTest : public testing_support::LinkDialogTest {
protected:
    DeleteDialogTest() {
        for (const char* name : {"a", "b", "c", "d"}) {
            testing_support::writeLink(store("Firefox"), name, "http://x/");
        }
    }

    void openOnFirefox() {
        dialog = std::make_unique<ui::frmDelete>(app.context);
        clickFolder(dialog->folderTree(), "Firefox");
    }

    void select(std::initializer_list<int> rows) {
        for (int row : rows) {
            list().topLevelItem(row)->setSelected(true);
        }
    }

    [[nodiscard]] QTreeWidget& list() { return dialog->linkList().view(); }

    // Each row's name, with '*' after a selected one.
    [[nodiscard]] QStringList rows() {
        QStringList texts;
        for (int row = 0; row < list().topLevelItemCount(); ++row) {
            texts << list().topLevelItem(row)->text(0) + (list().topLevelItem(row)->isSelected() ? "*" : "");
        }
        return texts;
    }

    std::unique_ptr<ui::frmDelete> dialog;
};

TEST_F(DeleteDialogTest, AnEmptyListAsksNothing) {
    // the store root holds no links
    dialog = std::make_unique<ui::frmDelete>(app.context);
    ASSERT_EQ(dialog->linkList().rowCount(), 0);
    QTest::keyClick(&list(), Qt::Key_Delete);
    dialog->findChild<QPushButton*>("btnDelete")->click();
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(DeleteDialogTest, AnsweringNoKeepsEveryFileAndTheSelection) {
    openOnFirefox();
    select({1, 3});
    app.messages.answerNext(app::MsgAnswer::No);
    dialog->findChild<QPushButton*>("btnDelete")->click();
    EXPECT_EQ(app.messages.shown[0].defaultAnswer, app::MsgAnswer::No);
    expectMessage(text(544), text(306), app::MsgIcon::Question);
    EXPECT_EQ(rows(), (QStringList{"a", "b*", "c", "d*"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(store("Firefox")), {}), 4);
}

TEST_F(DeleteDialogTest, DeletingReportsOnceAndSelectsTheFirstRemainingRow) {
    openOnFirefox();
    select({0, 2});
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{text(544), text(545)}));
    EXPECT_EQ(app.messages.shown[1].title, text(308));
    EXPECT_EQ(app.messages.shown[1].icon, app::MsgIcon::Information);
    EXPECT_EQ(rows(), (QStringList{"b*", "d"}));
}

TEST_F(DeleteDialogTest, TheWalkStopsAtTheFirstLinkThatCannotBeDeleted) {
    openOnFirefox();
    select({0, 1, 2});
    std::filesystem::remove(store("Firefox/b.url"));  // gone behind the dialog's back
    dialog->findChild<QPushButton*>("btnDelete")->click();
    EXPECT_EQ(shownTexts(), (std::vector<std::string>{text(544), text(533), text(545)}));
    EXPECT_EQ(app.messages.shown[1].title, text(308));
    EXPECT_EQ(app.messages.shown[1].icon, app::MsgIcon::Critical);
    EXPECT_EQ(rows(), (QStringList{"c*", "d"}));
}

TEST_F(DeleteDialogTest, DoubleClickingARowOpensItsFile) {
    openOnFirefox();
    list().setCurrentItem(list().topLevelItem(2));
    emit list().itemDoubleClicked(list().topLevelItem(2), 0);
    ASSERT_EQ(app.shell.opened.size(), 1u);
    EXPECT_TRUE(app.shell.opened[0].ends_with("/Firefox/c.url")) << app.shell.opened[0];
}

TEST_F(DeleteDialogTest, RenamingACheckedFolderAsksWithTheOwnerNameAndNoKeepsIt) {
    std::filesystem::create_directories(store("Firefox/Work"));
    app.context.ownerName = "Ann";
    openOnFirefox();
    clickFolder(dialog->folderTree(), "Firefox/Work");
    QTreeWidgetItem* work = dialog->folderTree().selectedItem();
    work->setCheckState(0, Qt::Checked);
    dialog->folderTree().beginRename();
    app.messages.answerNext(app::MsgAnswer::No);
    work->setText(0, "Job");
    expectMessage("Ann, renaming this folder will remove its compressed flag. Do you want to continue?",
                  "Rename Folder", app::MsgIcon::Question);
    EXPECT_EQ(work->text(0), "Work");
    EXPECT_TRUE(std::filesystem::is_directory(store("Firefox/Work")));
}

TEST_F(DeleteDialogTest, ListHeadersAreLocalised) {
    app.context.language = "0804";
    std::filesystem::copy_file(DORVANE_PORTABLE_DIR "/langfile0804.dll", app.appPath("langfile0804.dll"));
    app::loadLanguageLibrary(app.context);
    openOnFirefox();
    EXPECT_EQ(list().headerItem()->text(0), "名称");
}

TEST_F(DeleteDialogTest, WideningTheDialogWidensOnlyTheList) {
    openOnFirefox();
    QWidget& tree = dialog->folderTree().view();
    const QWidget* splitter = dialog->findChild<QWidget*>("VSplitter");
    // at 96 dpi a pixel is 15 twips: the tree ends at the splitter, the list starts a pixel past it
    EXPECT_EQ(tree.x(), 1);
    EXPECT_EQ(tree.x() + tree.width(), splitter->x());
    EXPECT_EQ(list().x(), splitter->x() + 1);
    const QRect treeBefore = tree.geometry();
    const QRect listBefore = list().geometry();
    dialog->show();
    dialog->resize(dialog->width() + 150, dialog->height());
    EXPECT_EQ(tree.geometry(), treeBefore);
    EXPECT_EQ(list().geometry(), listBefore.adjusted(0, 0, 150, 0));
}

}  // namespace
