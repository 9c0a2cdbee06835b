#include <gtest/gtest.h>

#include <QtWidgets>
#include <filesystem>
#include <map>
#include <optional>

#include "core/app/text_libraries.h"
#include "gui/windows/add_dialog.h"
#include "gui/windows/delete_dialog.h"
#include "gui/windows/edit_dialog.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "gui/windows/main_window.h"
#include "testing/fake_modal_forms.h"
#include "testing/gui/desktop_test_app.h"

namespace {

// The caption of a label, button, check box or frame; nothing for any other control.
std::optional<QString> captionOf(const QObject& control) {
    if (control.inherits("QLabel") || control.inherits("QPushButton") || control.inherits("QCheckBox")) {
        return control.property("text").toString();
    }
    return control.inherits("QGroupBox") ? std::optional(control.property("title").toString()) : std::nullopt;
}

// Whether the caption fits its control: on the lines of a label that wraps, else on one line
// inside the frame of a button or beside the box of a check box.
bool fits(const QWidget& control) {
    if (const auto* label = qobject_cast<const QLabel*>(&control); label != nullptr && label->wordWrap()) {
        return label->heightForWidth(label->width()) <= label->height();
    }
    if (control.inherits("QCheckBox")) {
        return control.sizeHint().width() <= control.width();
    }
    const int width = control.fontMetrics().horizontalAdvance(captionOf(control)->remove('&'));
    return width + (control.inherits("QPushButton") ? 8 : 0) <= control.width();
}

// Every text the user can read in a window, in the order the window made them: its title,
// the captions of its controls, the headers of its lists and the entries of its menus and
// toolbar ("-" for a separator).
QStringList captionsOf(const QWidget& window) {
    QStringList seen{window.windowTitle()};
    for (const QObject* part : window.findChildren<QObject*>()) {
        const auto* action = qobject_cast<const QAction*>(part);
        if (action != nullptr && action->isVisible() && !action->associatedObjects().isEmpty()) {
            seen << (action->isSeparator() ? "-" : action->text());
        } else if (const auto* list = qobject_cast<const QTreeWidget*>(part); list && !list->isHeaderHidden()) {
            for (int column = 0; column < list->columnCount(); ++column) {
                if (!list->isColumnHidden(column)) {
                    seen << list->headerItem()->text(column);
                }
            }
        } else if (captionOf(*part)) {
            seen << *captionOf(*part);
        }
    }
    return seen;
}

// What each window shows in Simplified Chinese, in the order captionsOf lists it.
// clang-format off
const std::map<QString, std::string> kSimplifiedChinese = {
    {"frmMain", "Velqor Dorvane Lite|名称|URL|文件(&F)|退出|书签(&B)|添加|编辑|删除|刷新|清空(&M)|&Firefox|"
                "&Internet Explorer|工具(&T)|导入|导出|帮助(&H)|什么是 Dorvane Lite？|在线支持网站(&O)|功能对比表(&F)|-|"
                "关于(&A)|添加|编辑|删除|刷新|-|添加|编辑|删除|刷新|-|导入|导出"},  // right-click menu, toolbar
    {"frmAdd", "添加链接|链接信息|请在树中选择一个文件夹，然后输入新链接的名称和 URL。|名称|URL|添加|清除|退出"},
    {"frmEdit", "编辑链接|名称|URL|链接信息|请选择一个文件夹和一个链接，修改链接的名称或 URL，然后单击“保存”。|名称|URL|"
                "保存(&S)|退出"},
    {"frmDelete", "删除链接|请选择要从 Dorvane Lite 中删除的链接。|名称|URL|删除|退出"},
    {"frmImport", "导入链接|将链接从本机的浏览器导入到 Dorvane Lite 的文件夹中。|来源: |目标: |名称|URL|全选|导入|退出"},
    {"frmExport", "导出链接|将链接从 Dorvane Lite 导出到本机的浏览器。|来源: |目标: |名称|URL|全选|导出|退出"},
};
// clang-format on

}  // namespace

// Every caption comes from the text library of the chosen language; the dialogs show them in
// 8 points, 9 for the two Chinese languages, and the menus keep the system font.
TEST(LocalisedWindows, EveryWindowShowsTheTextsOfItsLanguageUnclippedInTheDialogFont) {
    const std::pair<std::string, int> languages[] = {{"0409", 8}, {"0411", 8}, {"0404", 9}, {"0804", 9}};
    for (const auto& [language, pointSize] : languages) {
        testing_support::DesktopTestApp app;
        testing_support::FakeModalForms forms;
        const ui::GuiContext gui{app.context, forms};
        app.context.language = language;
        app.context.charset = "134";
        for (const std::string& file : {"langfile" + language + ".dll", "lic" + language + ".dll"}) {
            std::filesystem::copy_file(DORVANE_PORTABLE_DIR "/" + file, app.appPath(file));
        }
        app::loadSupplementaryLibrary(app.context);
        app::loadLanguageLibrary(app.context);
        auto main = std::make_unique<ui::MainWindow>(gui);
        main->load();
        EXPECT_EQ(main->menuBar()->font().pointSize(), QApplication::font().pointSize());
        const std::unique_ptr<QWidget> windows[] = {std::move(main),
                                                    std::make_unique<ui::AddDialog>(app.context),
                                                    std::make_unique<ui::EditDialog>(app.context),
                                                    std::make_unique<ui::DeleteDialog>(app.context),
                                                    std::make_unique<ui::ImportDialog>(gui),
                                                    std::make_unique<ui::ExportDialog>(app.context)};
        for (const std::unique_ptr<QWidget>& window : windows) {
            const std::string where = language + " " + window->objectName().toStdString();
            EXPECT_FALSE(captionsOf(*window).contains("")) << where;
            if (language == "0804") {
                EXPECT_EQ(captionsOf(*window).join("|").toStdString(), kSimplifiedChinese.at(window->objectName()))
                    << where;
            }
            // the captions and fields of a dialog are in its font, and no caption is cut off
            for (const QWidget* control : window->findChildren<QWidget*>()) {
                if (window->inherits("QDialog") && (captionOf(*control) || control->inherits("QLineEdit"))) {
                    const std::string name = where + " " + control->objectName().toStdString();
                    EXPECT_TRUE(!captionOf(*control) || fits(*control)) << name;
                    EXPECT_EQ(control->font().pointSize(), pointSize) << name;
                    EXPECT_EQ(control->property("charset").toString(), "134") << name;
                }
            }
        }
    }
}
