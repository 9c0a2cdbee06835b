#include "gui/windows/edit_dialog.h"

#include <tuple>

#include "gui/windows/store_window_fixture.h"

namespace {

using testing_support::shortcutBytes;
using testing_support::treeOf;
using Tree = std::vector<std::string>;
using ui::MsgAnswer;

// Firefox holds the links news (with a line the program never writes) and other, and the
// folder Work.
const std::string kNews = "news.url=[InternetShortcut]\r\nURL=http://n/\r\nIconIndex=1\r\n";
const std::string kOther = "other.url=" + shortcutBytes("http://o/");

class EditDialogTest : public testing_support::StoreWindowTest {
protected:
    void openOnFirefox() {
        std::filesystem::remove_all(store("Firefox"));
        std::filesystem::create_directories(store("Firefox/Work"));
        testing_support::writeFile(store("Firefox/news.url"), kNews.substr(9));
        testing_support::writeLink(store("Firefox"), "other", "http://o/");
        dialog = std::make_unique<ui::EditDialog>(app.context);
        click(dialog->folderTree().view(), "Firefox");
    }

    // Clicks the link news (unless told not to), types the new name and URL, and saves.
    void edit(const std::string& name, const QString& target, bool clickNews = true) {
        if (clickNews) {
            click(dialog->linkList().view(), "news");
            EXPECT_EQ(fields(*dialog), (QStringList{"news", "http://n/"}));
        }
        enter(*dialog, QString::fromStdString(name), target, "btnSave");
    }

    [[nodiscard]] std::string saved() const { return said(538, 312, ui::MsgIcon::Information); }

    std::unique_ptr<ui::EditDialog> dialog;
};

// A link stays in its folder: a save rewrites its whole file, renames it when the name
// changes, and asks before it takes the name of another link.
TEST_F(EditDialogTest, SavingRewritesOrRenamesTheClickedLinkAndRefusesWhatItCannotSave) {
    const std::string edited = "=" + shortcutBytes("http://new/");
    const std::string ask = said(556, 329, ui::MsgIcon::Question, MsgAnswer::No);
    const Tree unchanged = {"Work/", kNews, kOther};
    const std::string refused = said(560, 300, ui::MsgIcon::Exclamation);
    // whether news is clicked, the name typed, the answer to a question, the messages, the folder afterwards
    const std::tuple<bool, std::string, MsgAnswer, std::vector<std::string>, Tree> cases[] = {
        {true, "news", MsgAnswer::Yes, {saved()}, {"Work/", "news.url" + edited, kOther}},
        {true, "News", MsgAnswer::Yes, {saved()}, {"News.url" + edited, "Work/", kOther}},
        {true, " Fresh ", MsgAnswer::Yes, {saved()}, {"Fresh.url" + edited, "Work/", kOther}},
        {true, "other", MsgAnswer::No, {ask}, unchanged},
        {true, "OTHER", MsgAnswer::Yes, {ask, saved()}, {"Work/", "other.url" + edited}},
        {false, "Fresh", MsgAnswer::Yes, {error()}, unchanged},  // no link was clicked
        {true, "Work/News", MsgAnswer::Yes, {refused}, unchanged},
        {true, "aux.old", MsgAnswer::Yes, {refused}, unchanged},
        {true, std::string(300, 'x'), MsgAnswer::Yes, {error()}, unchanged},
    };
    for (const auto& [clicked, typed, answer, messages, tree] : cases) {
        SCOPED_TRACE(typed);
        openOnFirefox();
        app.messages.answerNext(answer);
        edit(typed, "http://new/", clicked);
        EXPECT_EQ(shown(), messages);
        EXPECT_EQ(treeOf(store("Firefox")), tree);
        const bool done = messages.back() == saved();
        EXPECT_EQ(fields(*dialog)[0].toStdString(), done ? "" : typed);
        EXPECT_EQ(dialog->linkList().targetOf(0), done ? "http://new/" : "http://n/");
    }
}

TEST_F(EditDialogTest, ASecondSaveWithoutAClickWritesANewLinkIntoTheSameFolder) {
    openOnFirefox();
    edit("Renamed", "http://r/");
    enter(*dialog, "Another", "http://a/", "btnSave");
    EXPECT_EQ(shown(), (Tree{saved(), saved()}));
    EXPECT_EQ(treeOf(store("Firefox")), (Tree{"Another.url=" + shortcutBytes("http://a/"),
                                              "Renamed.url=" + shortcutBytes("http://r/"), "Work/", kOther}));
}

TEST_F(EditDialogTest, DoubleClickingARowOpensItsUrlWithoutAMessage) {
    openOnFirefox();
    testing_support::writeLink(store("Firefox"), "blank", "");
    click(dialog->folderTree().view(), "Firefox");
    app.shell.result = 2;
    QTreeWidget& list = dialog->linkList().view();
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        list.setCurrentItem(list.topLevelItem(row));
        emit list.itemDoubleClicked(list.topLevelItem(row), 0);
    }
    // an empty URL goes to the shell as it is
    EXPECT_EQ(app.shell.opened, (std::vector<std::string>{"", "http://n/", "http://o/"}));
    EXPECT_EQ(app.shell.slept, (std::vector<int>{1000, 1000, 1000}));
    EXPECT_TRUE(app.messages.shown.empty());
}

}  // namespace
