#include "gui/windows/delete_dialog.h"

#include <QTest>

#include "gui/windows/store_window_fixture.h"

namespace {

using Tree = std::vector<std::string>;
using ui::MsgAnswer;
using ui::MsgIcon;

class DeleteDialogTest : public testing_support::StoreWindowTest {
protected:
    DeleteDialogTest() {
        for (const char* name : {"a", "b", "c", "d"}) {
            testing_support::writeLink(store("Firefox"), name, "http://x/");
        }
        std::filesystem::create_directories(store("Firefox/Work"));
        dialog = std::make_unique<ui::DeleteDialog>(app.context);
    }

    [[nodiscard]] QTreeWidget& list() { return dialog->linkList().view(); }
    void pressDelete() { dialog->findChild<QPushButton*>("btnDelete")->click(); }

    // Each row's name, with '*' after a selected one.
    [[nodiscard]] QStringList rows() {
        QStringList texts;
        for (int row = 0; row < list().topLevelItemCount(); ++row) {
            texts << list().topLevelItem(row)->text(0) + (list().topLevelItem(row)->isSelected() ? "*" : "");
        }
        return texts;
    }

    std::unique_ptr<ui::DeleteDialog> dialog;
};

TEST_F(DeleteDialogTest, AnEmptyListAsksNothing) {
    // the store root holds no links
    ASSERT_EQ(dialog->linkList().rowCount(), 0);
    QTest::keyClick(&list(), Qt::Key_Delete);
    pressDelete();
    EXPECT_TRUE(app.messages.shown.empty());
}

// the dialog walks the selection itself and stops at the first link it cannot delete
TEST_F(DeleteDialogTest, NoKeepsEveryLinkAndYesDeletesTheSelectedOnesUpToOneThatCannotGo) {
    click(dialog->folderTree().view(), "Firefox");
    for (const int row : {0, 2, 3}) {
        list().topLevelItem(row)->setSelected(true);
    }
    const std::string ask = said(544, 306, MsgIcon::Question, MsgAnswer::No);
    app.messages.answerNext(MsgAnswer::No);
    pressDelete();
    EXPECT_EQ(shown(), Tree{ask});
    EXPECT_EQ(rows(), (QStringList{"a*", "b", "c*", "d*"}));
    EXPECT_EQ(testing_support::treeOf(store("Firefox")).size(), 5u);

    std::filesystem::remove(store("Firefox/c.url"));  // gone behind the dialog's back
    QTest::keyClick(&list(), Qt::Key_Delete);
    EXPECT_EQ(shown(), (Tree{ask, said(533, 308, MsgIcon::Critical), said(545, 308, MsgIcon::Information)}));
    EXPECT_EQ(rows(), (QStringList{"b*", "d"}));
    const std::string link = ".url=" + testing_support::shortcutBytes("http://x/");
    EXPECT_EQ(testing_support::treeOf(store("Firefox")), (Tree{"Work/", "b" + link, "d" + link}));
}

TEST_F(DeleteDialogTest, DoubleClickingARowOpensItsFile) {
    click(dialog->folderTree().view(), "Firefox");
    click(list(), "c");
    emit list().itemDoubleClicked(list().currentItem(), 0);
    EXPECT_EQ(app.shell.opened, std::vector<std::string>{store("Firefox/c.url")});
}

TEST_F(DeleteDialogTest, RenamingACheckedFolderAsksWithTheOwnerNameAndNoKeepsIt) {
    click(dialog->folderTree().view(), "Firefox");
    click(dialog->folderTree().view(), "Work");
    QTreeWidgetItem* work = dialog->folderTree().selectedItem();
    work->setCheckState(0, Qt::Checked);
    dialog->folderTree().beginRename();
    app.messages.answerNext(MsgAnswer::No);
    work->setText(0, "Job");
    EXPECT_EQ(shown(), Tree{said("Ann, renaming this folder will remove its compressed flag. Do you want to continue?",
                                 "Rename Folder", MsgIcon::Question, MsgAnswer::Yes)});
    EXPECT_EQ(work->text(0), "Work");
    EXPECT_TRUE(std::filesystem::is_directory(store("Firefox/Work")));
}

TEST_F(DeleteDialogTest, WideningTheDialogWidensOnlyTheList) {
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
