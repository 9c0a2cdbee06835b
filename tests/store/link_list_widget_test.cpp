#include "store/link_list_widget.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "app/texts.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using testing_support::writeLink;

class LinkListTest : public ::testing::Test {
protected:
    LinkListTest() : list(app.context, view, store::LinkListOptions{}) {
        app.loadShippedTextLibraries();
        folder = app.appPath("favorites/Firefox");
    }

    QStringList column(int index) const {
        QStringList texts;
        for (int row = 0; row < view.topLevelItemCount(); ++row) {
            texts << view.topLevelItem(row)->text(index);
        }
        return texts;
    }

    void fillWith(const std::vector<std::pair<std::string, std::string>>& links) {
        for (const auto& [name, target] : links) {
            writeLink(folder, name, target);
        }
        list.fill(folder + "/");
    }

    void select(std::initializer_list<int> rows) {
        for (int row : rows) {
            view.topLevelItem(row)->setSelected(true);
            view.setCurrentItem(view.topLevelItem(row), 0, QItemSelectionModel::Select);
        }
    }

    testing_support::TestApp app;
    QTreeWidget view;
    store::LinkList list;
    std::string folder;
};

TEST_F(LinkListTest, HeaderClicksSortByColumnAndFlipOnTheSecondClick) {
    fillWith({{"b", "http://3"}, {"c", "http://1"}, {"a", "http://2"}});
    list.sortByHeader(1);
    EXPECT_EQ(column(1), (QStringList{"http://1", "http://2", "http://3"}));
    list.sortByHeader(1);
    EXPECT_EQ(column(1), (QStringList{"http://3", "http://2", "http://1"}));
    list.sortByHeader(0);
    EXPECT_EQ(column(0), (QStringList{"a", "b", "c"}));
    // the sort holds for the next fill
    writeLink(folder, "0first", "http://9");
    list.fill(folder + "/");
    EXPECT_EQ(column(0).first(), "0first");
}

TEST_F(LinkListTest, AHeaderKeyedNeitherNameNorUrlSortsByName) {
    store::LinkListOptions options;
    options.columnKeys = {"Name", "Type", "Path"};
    QTreeWidget dialogView;
    store::LinkList dialogList(app.context, dialogView, options);
    writeLink(folder, "b", "http://1");
    writeLink(folder, "a", "http://2");
    dialogList.fill(folder + "/");
    dialogList.sortByHeader(1);
    EXPECT_EQ(dialogView.topLevelItem(0)->text(0), "a");
    dialogList.sortByHeader(1);
    EXPECT_EQ(dialogView.topLevelItem(0)->text(0), "b");
}

TEST_F(LinkListTest, OpeningALinkHandsItsTargetToTheShellAndWaitsASecond) {
    fillWith({{"Blank", "   "}, {"News", "http://news.example/"}});
    // no selection, then an empty target: nothing is opened
    list.openSelectedLink();
    select({0});
    list.openSelectedLink();
    EXPECT_TRUE(app.shell.opened.empty());
    view.clearSelection();
    select({1});
    list.openSelectedLink();
    EXPECT_EQ(app.shell.opened, std::vector<std::string>{"http://news.example/"});
    EXPECT_EQ(app.shell.slept, std::vector<int>{1000});
    EXPECT_TRUE(app.messages.shown.empty());
}

TEST_F(LinkListTest, ATargetTheShellCannotOpenShowsTheErrorMessage) {
    fillWith({{"Bad", "nonsense"}});
    select({0});
    app.shell.result = 2;
    list.openSelectedLink();
    ASSERT_EQ(app.messages.shown.size(), 1u);
    EXPECT_EQ(app.messages.shown[0].text, app::languageText(app.context, 557));
    EXPECT_EQ(app.messages.shown[0].title, app::languageText(app.context, 301));
    EXPECT_EQ(app.messages.shown[0].icon, app::MsgIcon::Critical);
}

TEST_F(LinkListTest, DeletingThreeSelectedRowsAsksOnceAndReportsOnceAndNoDeletesNothing) {
    fillWith({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    select({0, 1, 3});
    app.messages.answerNext(app::MsgAnswer::No);
    EXPECT_FALSE(list.deleteSelectedLinks(store::LinkList::OnFailure::Stop));
    EXPECT_TRUE(std::filesystem::exists(folder + "/a.url"));
    ASSERT_EQ(app.messages.shown.size(), 1u);
    app.messages.shown.clear();
    EXPECT_TRUE(list.deleteSelectedLinks(store::LinkList::OnFailure::Stop));
    EXPECT_FALSE(std::filesystem::exists(folder + "/a.url"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/b.url"));
    EXPECT_TRUE(std::filesystem::exists(folder + "/c.url"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/d.url"));
    ASSERT_EQ(app.messages.shown.size(), 2u);
    EXPECT_EQ(app.messages.shown[0].text, app::languageText(app.context, 544));
    EXPECT_EQ(app.messages.shown[0].title, "Delete Link");
    EXPECT_EQ(app.messages.shown[0].defaultAnswer, app::MsgAnswer::No);
    EXPECT_EQ(app.messages.shown[1].text, app::languageText(app.context, 545));
    EXPECT_EQ(app.messages.shown[1].icon, app::MsgIcon::Information);
}

TEST_F(LinkListTest, AFailedDeleteStopsTheKeyCommandButNotThePopupCommand) {
    for (const auto onFailure : {store::LinkList::OnFailure::Stop, store::LinkList::OnFailure::GoOn}) {
        app.messages.shown.clear();
        fillWith({{"a", "1"}, {"b", "2"}, {"c", "3"}});
        std::filesystem::remove(folder + "/a.url");  // gone behind the list's back
        select({0, 1, 2});
        list.deleteSelectedLinks(onFailure);
        const bool stops = onFailure == store::LinkList::OnFailure::Stop;
        EXPECT_EQ(std::filesystem::exists(folder + "/b.url"), stops);
        EXPECT_EQ(std::filesystem::exists(folder + "/c.url"), stops);
        ASSERT_EQ(app.messages.shown.size(), stops ? 3u : 2u);
        if (stops) {
            EXPECT_EQ(app.messages.shown[1].text, app::languageText(app.context, 533));
            EXPECT_EQ(app.messages.shown[1].icon, app::MsgIcon::Critical);
        }
        std::filesystem::remove_all(folder);
    }
}

TEST_F(LinkListTest, CtrlASelectsEveryRowAndKeysAskTheWindow) {
    fillWith({{"a", "1"}, {"b", "2"}});
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(list.isSelected(0));
    EXPECT_TRUE(list.isSelected(1));

    int refreshes = 0;
    int deletes = 0;
    QObject::connect(&list, &store::LinkList::refreshRequested, [&] { ++refreshes; });
    QObject::connect(&list, &store::LinkList::deleteKeyPressed, [&] { ++deletes; });
    QTest::keyClick(&view, Qt::Key_F5);
    QTest::keyClick(&view, Qt::Key_Delete);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(deletes, 1);
}

TEST_F(LinkListTest, CheckingARowSelectsItAndUncheckingDeselects) {
    store::LinkListOptions options;
    options.checkBoxes = true;
    options.rowText = store::RowText::FileName;
    QTreeWidget checkView;
    store::LinkList checkList(app.context, checkView, options);
    writeLink(folder, "a", "1");
    checkList.fill(folder + "/");
    EXPECT_EQ(checkList.textOf(0), "a.url");
    checkList.setChecked(0, true);
    EXPECT_TRUE(checkList.isSelected(0));
    checkList.setChecked(0, false);
    EXPECT_FALSE(checkList.isSelected(0));
}

}  // namespace
