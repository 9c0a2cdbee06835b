#include "gui/widgets/link_list.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>
#include <filesystem>

#include "core/app/texts.h"
#include "testing/files.h"
#include "testing/test_app.h"

namespace {

using store::LinkList;
using testing_support::writeLink;

class LinkListTest : public ::testing::Test {
protected:
    LinkListTest() : list(app.context, view, store::LinkListOptions{}) {
        app.loadShippedTextLibraries();
        folder = app.appPath("favorites/Firefox");
    }

    QStringList column(const QTreeWidget& shown, int index) const {
        QStringList texts;
        for (int row = 0; row < shown.topLevelItemCount(); ++row) {
            texts << shown.topLevelItem(row)->text(index);
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
            view.setCurrentItem(view.topLevelItem(row), 0, QItemSelectionModel::Select);
        }
    }

    // The messages shown since the last call, each as "text | title | icon".
    std::vector<std::string> messages() {
        std::vector<std::string> shown;
        for (const app::Message& message : app.messages.shown) {
            shown.push_back(message.text + " | " + message.title + " | " + std::to_string(int(message.icon)));
        }
        app.messages.shown.clear();
        return shown;
    }
    std::string message(int textId, const std::string& title, app::MsgIcon icon) const {
        const std::string text = app::languageText(app.context, textId);
        EXPECT_FALSE(text.empty()) << textId;
        return text + " | " + title + " | " + std::to_string(int(icon));
    }

    testing_support::TestApp app;
    QTreeWidget view;
    LinkList list;
    std::string folder;
};

TEST_F(LinkListTest, HeaderClicksSortByNameOrUrlAndFlipOnTheSecondClick) {
    fillWith({{"b", "http://3"}, {"c", "http://1"}, {"a", "http://2"}});
    list.sortByHeader(1);
    EXPECT_EQ(column(view, 1), (QStringList{"http://1", "http://2", "http://3"}));
    list.sortByHeader(1);
    EXPECT_EQ(column(view, 1), (QStringList{"http://3", "http://2", "http://1"}));
    list.sortByHeader(0);
    EXPECT_EQ(column(view, 0), (QStringList{"a", "b", "c"}));
    // the sort holds for the next fill
    writeLink(folder, "0first", "http://9");
    list.fill(folder + "/");
    EXPECT_EQ(column(view, 0).first(), "0first");

    // a column keyed neither Name nor URL sorts by name
    store::LinkListOptions options;
    options.columnKeys = {"Name", "Type", "Path"};
    QTreeWidget otherView;
    LinkList other(app.context, otherView, options);
    other.fill(folder + "/");
    for (const char* first : {"0first", "c"}) {
        other.sortByHeader(1);
        EXPECT_EQ(column(otherView, 0).first(), first);
    }
}

TEST_F(LinkListTest, OpeningALinkHandsItsTargetToTheShellWaitsASecondAndReportsAFailure) {
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
    EXPECT_TRUE(messages().empty());
    // the shell answers 32 or less when it cannot open a target
    app.shell.result = 32;
    list.openSelectedLink();
    EXPECT_EQ(messages(),
              std::vector<std::string>{message(557, app::languageText(app.context, 301), app::MsgIcon::Critical)});
    EXPECT_EQ(app.shell.slept, (std::vector<int>{1000, 1000}));
}

// The key command stops at the first link that cannot be deleted; the right-click command goes on.
TEST_F(LinkListTest, DeletingAsksOnceThenDeletesTheSelectedRowsAndOnlyTheKeyCommandStopsAtAFailure) {
    const std::string title = app::languageText(app.context, 308);
    const std::string asked = message(544, "Delete Link", app::MsgIcon::Question);
    const std::string failed = message(533, title, app::MsgIcon::Critical);
    const std::string deleted = message(545, title, app::MsgIcon::Information);
    fillWith({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
    select({0, 1, 2});
    app.messages.answerNext(app::MsgAnswer::No);
    EXPECT_FALSE(list.deleteSelectedLinks(LinkList::OnFailure::Stop));
    EXPECT_EQ(app.messages.shown.at(0).defaultAnswer, app::MsgAnswer::No);
    EXPECT_EQ(messages(), std::vector<std::string>{asked});
    EXPECT_EQ(testing_support::treeOf(folder).size(), 4U);

    const struct {
        LinkList::OnFailure onFailure;
        std::size_t left;
        std::vector<std::string> shown;
    } cases[] = {{LinkList::OnFailure::Stop, 3, {asked, failed, deleted}},
                 {LinkList::OnFailure::GoOn, 1, {asked, deleted}}};
    for (const auto& test : cases) {
        fillWith({{"a", "1"}, {"b", "2"}, {"c", "3"}, {"d", "4"}});
        std::filesystem::remove(folder + "/a.url");  // gone behind the list's back
        select({0, 1, 2});
        EXPECT_TRUE(list.deleteSelectedLinks(test.onFailure));
        EXPECT_EQ(testing_support::treeOf(folder).size(), test.left);
        EXPECT_EQ(messages(), test.shown);
    }
}

TEST_F(LinkListTest, CtrlASelectsEveryRowAndKeysAskTheWindow) {
    fillWith({{"a", "1"}, {"b", "2"}});
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(list.isSelected(0));
    EXPECT_TRUE(list.isSelected(1));

    std::vector<std::string> asked;
    QObject::connect(&list, &LinkList::refreshRequested, [&] { asked.push_back("refresh"); });
    QObject::connect(&list, &LinkList::deleteKeyPressed, [&] { asked.push_back("delete"); });
    QObject::connect(&list, &LinkList::openRequested, [&] { asked.push_back("open"); });
    for (const Qt::Key key : {Qt::Key_F5, Qt::Key_Delete, Qt::Key_Return}) {
        QTest::keyClick(&view, key);
    }
    EXPECT_EQ(asked, (std::vector<std::string>{"refresh", "delete", "open"}));
}

}  // namespace
