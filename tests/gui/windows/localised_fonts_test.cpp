#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <memory>

#include "core/app/text_libraries.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "gui/widgets/link_list.h"
#include "testing/fake_modal_forms.h"
#include "testing/test_app.h"
#include "gui/windows/add_dialog.h"
#include "gui/windows/delete_dialog.h"
#include "gui/windows/edit_dialog.h"
#include "gui/kit/localised_fonts.h"
#include "gui/windows/main_window.h"

namespace {

// An application folder that holds the shipped text libraries of one language, loaded as
// start-up loads them.
class LocalisedWindows : public ::testing::Test {
protected:
    void startIn(const std::string& language) {
        app.context.language = language;
        for (const std::string kind : {"langfile", "lic"}) {
            const std::string name = kind + language + ".dll";
            std::filesystem::copy_file(std::string(DORVANE_PORTABLE_DIR "/") + name, app.appPath(name));
        }
        app::loadSupplementaryLibrary(app.context);
        app::loadLanguageLibrary(app.context);
        ASSERT_TRUE(app.context.languageLibrary.isLoaded());
        ASSERT_TRUE(app.context.supplementaryLibrary.isLoaded());
    }

    ui::frmMain& openMainWindow() {
        window = std::make_unique<ui::frmMain>(gui);
        window->load();
        return *window;
    }

    [[nodiscard]] QString captionOf(const char* name) const {
        if (auto* action = window->findChild<QAction*>(name)) {
            return action->text();
        }
        auto* menu = window->findChild<QMenu*>(name);
        return menu != nullptr ? menu->title() : QString("<no control %1>").arg(name);
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
    std::unique_ptr<ui::frmMain> window;
};

// A control a caption setter names, with the caption it must show; text boxes have none.
struct NamedControl {
    const char* name;
    const char* caption;
};

QString captionOfControl(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return label->text();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return button->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&control)) {
        return frame->title();
    }
    return {};
}

void expectCaptionsInNinePoints(const QDialog& dialog, const char* title,
                                std::initializer_list<NamedControl> controls) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(title)) << dialog.objectName().toStdString();
    for (const NamedControl& named : controls) {
        const auto* control = dialog.findChild<QWidget*>(named.name);
        ASSERT_NE(control, nullptr) << dialog.objectName().toStdString() << " " << named.name;
        EXPECT_EQ(control->font().pointSize(), 9) << dialog.objectName().toStdString() << " " << named.name;
        if (named.caption != nullptr) {
            EXPECT_EQ(captionOfControl(*control), QString::fromUtf8(named.caption))
                << dialog.objectName().toStdString() << " " << named.name;
        }
    }
}

}  // namespace

TEST_F(LocalisedWindows, MainWindowOfSimplifiedChineseShowsTheChineseTexts) {
    startIn("0804");
    openMainWindow();
    const std::pair<const char*, const char*> captions[] = {
        {"mnuFile", "文件(&F)"},
        {"mnuFileExit", "退出"},
        {"mnuBookmarks", "书签(&B)"},
        {"mnuAdd", "添加"},
        {"mnuRightEdit", "编辑"},
        {"Toolbar1_delete", "删除"},
        {"mnuRefresh", "刷新"},
        {"mnuEmpty", "清空(&M)"},
        {"mnuTool", "工具(&T)"},
        {"Toolbar1_import", "导入"},
        {"mnuExport", "导出"},
        {"mnuHelp", "帮助(&H)"},
        {"mnuHelpWhat", "什么是 Dorvane Lite？"},
        {"mnuHelpAbout", "关于(&A)"},
    };
    for (const auto& [name, text] : captions) {
        EXPECT_EQ(captionOf(name), QString::fromUtf8(text)) << name;
    }
    EXPECT_EQ(window->linkList().view().headerItem()->text(0), QString::fromUtf8("名称"));
    // the menus keep the system font whatever the language
    EXPECT_EQ(window->menuBar()->font().pointSize(), QApplication::font().pointSize());
}

TEST_F(LocalisedWindows, DialogFontIsNinePointsOnlyForTheChineseLanguages) {
    const std::pair<const char*, int> sizes[] = {
        {"0804", 9}, {"0404", 9}, {"0407", 8}, {"0409", 8}, {"0411", 8}, {"804", 8},
    };
    for (const auto& [language, pointSize] : sizes) {
        app.context.language = language;
        app.context.charset = "134";
        QLabel label;
        QPushButton button;
        QCheckBox check;
        ui::applyDialogFont(app.context, {&label, &button, &check});
        for (const QWidget* control :
             {static_cast<QWidget*>(&label), static_cast<QWidget*>(&button), static_cast<QWidget*>(&check)}) {
            EXPECT_EQ(control->font().pointSize(), pointSize) << language;
            EXPECT_EQ(control->property("charset").toString(), "134") << language;
        }
    }
}

TEST_F(LocalisedWindows, LinkDialogsOfSimplifiedChineseShowChineseCaptionsInNinePoints) {
    startIn("0804");
    std::filesystem::create_directories(app.appPath("favorites/Firefox"));
    const ui::frmAdd add(app.context);
    expectCaptionsInNinePoints(add, "添加链接",
                               {{"Frame1", "链接信息"},
                                {"lbinstruction", "请在树中选择一个文件夹，然后输入新链接的名称和 URL。"},
                                {"lblName", "名称"},
                                {"lblURL", "URL"},
                                {"txtname", nullptr},
                                {"txtURL", nullptr},
                                {"btnAdd", "添加"},
                                {"btnCancel", "清除"},
                                {"btnExit", "退出"}});
    const ui::frmEdit edit(app.context);
    expectCaptionsInNinePoints(edit, "编辑链接",
                               {{"Frame1", "链接信息"},
                                {"lbinstruction", "请选择一个文件夹和一个链接，修改链接的名称或 URL，然后单击“保存”。"},
                                {"lblName", "名称"},
                                {"lblURL", "URL"},
                                {"txtname", nullptr},
                                {"txtURL", nullptr},
                                {"btnSave", "保存(&S)"},
                                {"btnExit", "退出"}});
    const ui::frmDelete remove(app.context);
    expectCaptionsInNinePoints(
        remove, "删除链接",
        {{"lbinstruction", "请选择要从 Dorvane Lite 中删除的链接。"}, {"btnDelete", "删除"}, {"btnExit", "退出"}});
}

TEST_F(LocalisedWindows, TransferDialogsOfSimplifiedChineseShowChineseCaptionsInNinePoints) {
    startIn("0804");
    std::filesystem::create_directories(app.appPath("favorites/Firefox"));
    const browsers::frmImport import(gui);
    expectCaptionsInNinePoints(import, "导入链接",
                               {{"lbinstruction", "将链接从本机的浏览器导入到 Dorvane Lite 的文件夹中。"},
                                {"lblSource", "来源: "},
                                {"lblDest", "目标: "},
                                {"chkAll", "全选"},
                                {"btnImport", "导入"},
                                {"btnExit", "退出"}});
    const browsers::frmExport exportDialog(app.context);
    expectCaptionsInNinePoints(exportDialog, "导出链接",
                               {{"lbinstruction", "将链接从 Dorvane Lite 导出到本机的浏览器。"},
                                {"lblSource", "来源: "},
                                {"lblDest", "目标: "},
                                {"chkAll", "全选"},
                                {"btnExport", "导出"},
                                {"btnExit", "退出"}});
}
