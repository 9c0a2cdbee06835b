#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <string>
#include <string_view>

#include "core/app/texts.h"
#include "gui/widgets/folder_tree.h"
#include "testing/test_app.h"

namespace testing_support {

// What the add, edit and delete dialog tests share: an application over temporary
// folders with the shipped English texts, and the clicks a user makes.
class LinkDialogTest : public ::testing::Test {
protected:
    LinkDialogTest() { app.loadShippedTextLibraries(); }

    // <application folder>/favorites/relative
    [[nodiscard]] std::string store(std::string_view relative) const {
        return app.context.applicationFolder + "/favorites/" + std::string(relative);
    }
    [[nodiscard]] std::string text(int id) const { return app::languageText(app.context, id); }

    // Clicks each folder from the top folder down to the given one ("Internet Explorer/Links").
    void clickFolder(store::FolderTree& tree, std::string_view relative) const {
        std::string key = app.context.applicationFolder + "/Favorites";
        for (std::size_t start = 0; start <= relative.size();) {
            const std::size_t end = std::min(relative.find('/', start), relative.size());
            key += "/" + std::string(relative.substr(start, end - start));
            QTreeWidgetItem* node = tree.itemByKey(QString::fromStdString(key));
            ASSERT_NE(node, nullptr) << key;
            emit tree.view().itemClicked(node, 0);
            start = end + 1;
        }
    }
    static void clickRow(QTreeWidget& list, int row) {
        list.setCurrentItem(list.topLevelItem(row));
        emit list.itemClicked(list.topLevelItem(row), 0);
    }

    // Types the name and the URL, and presses the button.
    static void enter(QWidget& dialog, const QString& name, const QString& target, const char* button) {
        dialog.findChild<QLineEdit*>("txtname")->setText(name);
        dialog.findChild<QLineEdit*>("txtURL")->setText(target);
        dialog.findChild<QPushButton*>(button)->click();
    }
    [[nodiscard]] static QStringList fields(QWidget& dialog) {
        return {dialog.findChild<QLineEdit*>("txtname")->text(), dialog.findChild<QLineEdit*>("txtURL")->text()};
    }

    // The one message shown since the last check; forgotten afterwards.
    void expectMessage(const std::string& messageText, const std::string& title, app::MsgIcon icon) {
        ASSERT_EQ(app.messages.shown.size(), 1u);
        EXPECT_EQ(app.messages.shown[0].text, messageText);
        EXPECT_EQ(app.messages.shown[0].title, title);
        EXPECT_EQ(app.messages.shown[0].icon, icon);
        app.messages.shown.clear();
    }
    // A failure told as "Error: " and a description, under the error title.
    void expectError() {
        ASSERT_EQ(app.messages.shown.size(), 1u);
        const std::string shown = app.messages.shown[0].text;
        EXPECT_TRUE(shown.starts_with("Error: ") && shown.size() > 10) << shown;
        expectMessage(shown, text(301), app::MsgIcon::Critical);
    }
    [[nodiscard]] std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const app::Message& message : app.messages.shown) {
            texts.push_back(message.text);
        }
        return texts;
    }

    TestApp app;
};

}  // namespace testing_support
