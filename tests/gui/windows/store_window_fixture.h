#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "core/app/texts.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "testing/fake_modal_forms.h"
#include "testing/files.h"
#include "testing/gui/desktop_test_app.h"

namespace testing_support {

// What the tests of the windows that change the store share: an application over temporary
// folders with the shipped English texts and the owner Ann, the clicks and keys of a user,
// and the messages the user saw.
class StoreWindowTest : public ::testing::Test {
protected:
    StoreWindowTest() {
        app.context.ownerName = "Ann";
        app.loadShippedTextLibraries();
        // messages are compared with the library's texts: both sides must not be empty
        EXPECT_EQ(text(301), "Error");
    }

    // <application folder>/favorites/relative
    [[nodiscard]] std::string store(const std::string& relative) const {
        return app.context.applicationFolder + "/favorites/" + relative;
    }
    [[nodiscard]] std::string text(int id) const { return app::languageText(app.context, id); }

    // Makes the one item of the text current and clicks it, as the user does.
    static void click(QTreeWidget& view, const std::string& itemText) {
        const QList<QTreeWidgetItem*> items =
            view.findItems(QString::fromStdString(itemText), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(items.size(), 1) << itemText;
        view.setCurrentItem(items[0]);
        emit view.itemClicked(items[0], 0);
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

    // A message as "text | title | icon default-answer"; a failure's text, "Error: " and a
    // description, as "Error".
    [[nodiscard]] static std::string said(const std::string& text, const std::string& title, ui::MsgIcon icon,
                                          ui::MsgAnswer defaultAnswer = ui::MsgAnswer::Ok) {
        return text + " | " + title + " | " + std::to_string(static_cast<int>(icon)) + " " +
               std::to_string(static_cast<int>(defaultAnswer));
    }
    [[nodiscard]] std::string said(int textId, int titleId, ui::MsgIcon icon,
                                   ui::MsgAnswer defaultAnswer = ui::MsgAnswer::Ok) const {
        return said(text(textId), text(titleId), icon, defaultAnswer);
    }
    [[nodiscard]] std::string error() const { return said("Error", text(301), ui::MsgIcon::Critical); }
    // The messages shown since the last call, as said() writes them.
    [[nodiscard]] std::vector<std::string> shown() {
        std::vector<std::string> all;
        for (const ui::Message& message : app.messages.shown) {
            const bool failure = message.text.starts_with("Error: ") && message.text.size() > 10;
            all.push_back(said(failure ? "Error" : message.text, message.title, message.icon, message.defaultAnswer));
        }
        app.messages.shown.clear();
        return all;
    }

    DesktopTestApp app;
    FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
};

}  // namespace testing_support
