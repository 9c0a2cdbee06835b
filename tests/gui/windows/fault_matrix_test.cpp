// Every command that changes the store, run against a drive that fails it: a read-only
// store, a read-only file, a file removed behind the program's back, a full disk and names
// the file system refuses. Whatever happens, the program says so where it has a message
// for it, does not crash, and keeps every link the user did not delete, byte for byte.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "core/app/texts.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "gui/widgets/folder_tree.h"
#include "gui/widgets/link_list.h"
#include "testing/files.h"
#include "testing/fake_modal_forms.h"
#include "testing/read_only.h"
#include "testing/test_app.h"
#include "gui/windows/add_dialog.h"
#include "gui/windows/delete_dialog.h"
#include "gui/windows/edit_dialog.h"
#include "gui/windows/main_window.h"

namespace {

using testing_support::TmpfsMount;
using testing_support::TreeEntry;

enum class Op { Add, Edit, Delete, RenameFolder, Empty, Import, Export };
enum class Fault { ReadOnlyStore, ReadOnlyFile, RemovedFile, FullDisk, SlashName, LongName, BadUtf8Name };

// Messages a cell expects, in order: text ids of the language library, or one of these.
constexpr int kError = -1;      // "Error: " and a description
constexpr int kErrorList = -2;  // the import's list of links that failed
using Shown = std::vector<int>;

struct Cell {
    const char* name;
    Op op;
    Fault fault;
    Shown shown;
    bool done;  // the user's change is carried out; otherwise nothing on disk changes
    const char* note = "";
};

const std::string kLongName(250, 'L');  // the longest link name a file name can carry
const std::string kTooLongName(300, 'L');
const std::string kBadUtf8Name = "Caf\xe9";  // a name written in a Western code page
constexpr const char* kProfile = "home/Application data/Mozilla/Firefox/Profiles/x.default";

// Makes one file or folder read-only by mounting it read-only over itself: it can then be
// neither written, nor deleted, nor renamed, even by root.
class ReadOnlyEntry final {
public:
    explicit ReadOnlyEntry(const std::string& path) : m_path(path) {
        m_mounted = ::unshare(CLONE_NEWNS) == 0 && ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                    ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
                    ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
    }
    ~ReadOnlyEntry() { ::umount2(m_path.c_str(), MNT_DETACH); }
    ReadOnlyEntry(const ReadOnlyEntry&) = delete;
    ReadOnlyEntry& operator=(const ReadOnlyEntry&) = delete;
    [[nodiscard]] bool mounted() const { return m_mounted; }

private:
    std::string m_path;
    bool m_mounted = false;
};

// Writes to the file until the disk takes no more.
void fillDisk(const std::string& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

std::string nameOf(const Cell& cell) {
    switch (cell.fault) {
        case Fault::SlashName:
            return "a/b";
        case Fault::LongName:
            return cell.op == Op::Delete || cell.op == Op::Export ? kLongName : kTooLongName;
        case Fault::BadUtf8Name:
            return kBadUtf8Name;
        case Fault::ReadOnlyFile:
            return "News";
        default:
            return cell.op == Op::RenameFolder ? "Job" : "Fresh";
    }
}

class FaultMatrix : public ::testing::TestWithParam<Cell> {
protected:
    void SetUp() override {
        app.loadShippedTextLibraries();
        if (!placeFiles()) {
            GTEST_SKIP() << skipReason;
        }
    }

    [[nodiscard]] bool placeFiles() {
        const Cell& cell = GetParam();
        std::vector<TreeEntry> appEntries;
        for (const std::string& name : {std::string("News"), std::string("Keep"), kLongName, kBadUtf8Name}) {
            appEntries.push_back({"app/favorites/Internet Explorer/" + name + ".url",
                                  testing_support::shortcutBytes("http://" + name.substr(0, 8) + "/")});
        }
        appEntries.push_back({"app/favorites/Internet Explorer/Work/Deep.url", testing_support::shortcutBytes("http://deep/")});
        appEntries.push_back({"app/favorites/Firefox/Fox.url", testing_support::shortcutBytes("http://fox/")});
        // an imported name never matches a stored link, except the one made read-only
        const std::string imported = nameOf(cell) + (cell.fault == Fault::BadUtf8Name ? "s" : "");
        const testing_support::BookmarkLinks bookmarks = {{"Fresh", "http://fresh/"}, {imported, "http://named/"}};
        std::vector<TreeEntry> homeEntries = {{"home/Favorites/", ""},
                                              {std::string(kProfile) + "/bookmarks.html", testing_support::bookmarkFileText(bookmarks)}};
        std::string appBase = app.root.path();
        std::string homeBase = app.root.path();
        if (cell.fault == Fault::ReadOnlyStore) {
            mount = std::make_unique<TmpfsMount>(appEntries, TmpfsMount::Access::ReadOnly);
            appBase = mount->path();
            appEntries.clear();
        } else if (cell.fault == Fault::FullDisk) {
            appEntries.insert(appEntries.end(), homeEntries.begin(), homeEntries.end());
            mount = std::make_unique<TmpfsMount>(appEntries, TmpfsMount::Access::Writable, TmpfsMount::kFullDiskSize);
            appBase = homeBase = mount->path();
            appEntries.clear();
            homeEntries.clear();
        }
        if (mount && !mount->mounted()) {
            skipReason = mount->skipReason();
            return false;
        }
        if (mount && cell.fault == Fault::FullDisk) {
            fillDisk(mount->path() + "/filler");
        }
        for (const std::vector<TreeEntry>* entries : {&appEntries, &homeEntries}) {
            for (const TreeEntry& entry : *entries) {
                if (entry.path.ends_with('/')) {
                    std::filesystem::create_directories(app.root / entry.path);
                } else {
                    testing_support::writeFile(app.root / entry.path, entry.contents);
                }
            }
        }
        app.context.applicationFolder = appBase + "/app";
        home = homeBase + "/home";
        testing_support::writeFavoritesRegistry(app.context.registryFile, home + "/Favorites");
        return true;
    }

    [[nodiscard]] std::string store(std::string_view relative) const {
        return app.context.applicationFolder + "/favorites/" + std::string(relative);
    }
    [[nodiscard]] std::string profile() const {
        return (GetParam().fault == Fault::FullDisk ? mount->path() : app.root.path()) + "/" + kProfile;
    }

    // The store and the Firefox profile as one list of entries.
    [[nodiscard]] std::vector<std::string> snapshot() const {
        std::vector<std::string> entries = testing_support::treeOf(store(""));
        for (const std::string& entry : testing_support::treeOf(profile())) {
            entries.push_back("profile:" + entry);
        }
        return entries;
    }

    // The link a command acts on, and what a fault takes away or makes read-only.
    [[nodiscard]] std::string chosenLink() const {
        const Fault fault = GetParam().fault;
        return fault == Fault::LongName ? kLongName : fault == Fault::BadUtf8Name ? kBadUtf8Name : "News";
    }
    [[nodiscard]] std::string faultTarget() const {
        switch (GetParam().op) {
            case Op::Add:
                return GetParam().fault == Fault::RemovedFile ? store("Internet Explorer/Work") : store("Internet Explorer/News.url");
            case Op::RenameFolder:
                return store("Internet Explorer/Work");
            case Op::Empty:
                return GetParam().fault == Fault::RemovedFile ? store("Internet Explorer") : store("Internet Explorer/News.url");
            case Op::Import:
                return GetParam().fault == Fault::RemovedFile ? app.context.stagingFolder() + "/Fresh.url"
                                                               : store("Internet Explorer/News.url");
            case Op::Export:
                return GetParam().fault == Fault::RemovedFile ? store("Internet Explorer/News.url")
                                                               : profile() + "/bookmarks.html";
            default:
                return store("Internet Explorer/" + chosenLink() + ".url");
        }
    }
    // What the user asked to change: entries of the snapshot that may differ afterwards.
    [[nodiscard]] std::vector<std::string> touched() const {
        switch (GetParam().op) {
            case Op::Add:
            case Op::Import:
                return {"Internet Explorer/News.url"};
            case Op::Edit:
            case Op::Delete:
                return {"Internet Explorer/" + chosenLink() + ".url"};
            case Op::RenameFolder:
                return {"Internet Explorer/" + kBadUtf8Name + "/", "Internet Explorer/Work/"};
            case Op::Empty:
                return {"Internet Explorer/"};
            case Op::Export:
                return {"profile:"};
        }
        return {};
    }

    static void click(store::FolderTree& tree, const std::string& key) {
        QTreeWidgetItem* node = tree.itemByKey(QString::fromStdString(key));
        ASSERT_NE(node, nullptr) << key;
        emit tree.view().itemClicked(node, 0);
    }
    void clickInternetExplorer(store::FolderTree& tree) const {
        click(tree, app.context.applicationFolder + "/Favorites/Internet Explorer");
    }
    static void clickBrowser(QTreeWidget& tree, const char* text) {
        const QList<QTreeWidgetItem*> nodes = tree.findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(nodes.size(), 1) << text;
        emit tree.itemClicked(nodes[0], 0);
    }
    void selectChosenLink(store::LinkList& list) const {
        for (int row = 0; row < list.rowCount(); ++row) {
            if (list.fullPathOf(row).ends_with("/" + chosenLink() + ".url")) {
                list.view().setCurrentItem(list.view().topLevelItem(row));
                emit list.view().itemClicked(list.view().topLevelItem(row), 0);
                return;
            }
        }
        ADD_FAILURE() << "no row for " << chosenLink();
    }
    static void type(QWidget& dialog, const std::string& name, const char* target) {
        dialog.findChild<QLineEdit*>("txtname")->setText(QString::fromStdString(name));
        dialog.findChild<QLineEdit*>("txtURL")->setText(target);
    }

    // Opens the window a command runs in and chooses what it acts on; returns the action.
    std::function<void()> prepare() {
        const Cell& cell = GetParam();
        switch (cell.op) {
            case Op::Add: {
                auto dialog = std::make_shared<ui::frmAdd>(app.context);
                clickInternetExplorer(dialog->folderTree());
                if (cell.fault == Fault::RemovedFile) {
                    click(dialog->folderTree(), app.context.applicationFolder + "/Favorites/Internet Explorer/Work");
                }
                type(*dialog, nameOf(cell), "http://added/");
                return [dialog] { dialog->findChild<QPushButton*>("btnAdd")->click(); };
            }
            case Op::Edit: {
                auto dialog = std::make_shared<ui::frmEdit>(app.context);
                clickInternetExplorer(dialog->folderTree());
                selectChosenLink(dialog->linkList());
                const bool rename = cell.fault == Fault::RemovedFile || cell.fault == Fault::SlashName ||
                                    (cell.fault == Fault::LongName && chosenLink() == "News");
                type(*dialog, rename ? nameOf(cell) : chosenLink(), "http://edited/");
                return [dialog] { dialog->findChild<QPushButton*>("btnSave")->click(); };
            }
            case Op::Delete: {
                auto dialog = std::make_shared<ui::frmDelete>(app.context);
                clickInternetExplorer(dialog->folderTree());
                selectChosenLink(dialog->linkList());
                return [dialog] { dialog->findChild<QPushButton*>("btnDelete")->click(); };
            }
            case Op::RenameFolder:
            case Op::Empty: {
                auto window = std::make_shared<ui::frmMain>(gui);
                window->load();
                if (cell.op == Op::Empty) {
                    return [window] { window->emptyBrowserFolder(ui::frmMain::Browser::InternetExplorer); };
                }
                clickInternetExplorer(window->folderTree());
                const std::string folder = cell.fault == Fault::BadUtf8Name ? kBadUtf8Name : "Work";
                if (cell.fault == Fault::BadUtf8Name) {
                    std::filesystem::rename(store("Internet Explorer/Work"), store("Internet Explorer/" + folder));
                    window->folderTree().refresh();
                }
                const std::string newName = cell.fault == Fault::BadUtf8Name ? "Job" : nameOf(cell);
                QTreeWidgetItem* node = window->folderTree().view().findItems(
                    QString::fromStdString(folder), Qt::MatchExactly | Qt::MatchRecursive).value(0);
                return [window, node, newName] {
                    window->folderTree().view().setCurrentItem(node);
                    window->folderTree().beginRename();
                    node->setText(0, QString::fromStdString(newName));
                };
            }
            case Op::Import: {
                auto dialog = std::make_shared<browsers::frmImport>(gui);
                clickInternetExplorer(dialog->storeTree());
                clickBrowser(dialog->browserTree(), "FireFox");
                return [dialog] { dialog->findChild<QPushButton*>("btnImport")->click(); };
            }
            case Op::Export: {
                auto dialog = std::make_shared<browsers::frmExport>(app.context);
                clickInternetExplorer(dialog->storeTree());
                dialog->toggleAllChecks();
                const bool toFiles = cell.fault == Fault::LongName || cell.fault == Fault::BadUtf8Name;
                clickBrowser(dialog->browserTree(), toFiles ? "Internet Explorer" : "FireFox");
                return [dialog] { dialog->findChild<QPushButton*>("btnExport")->click(); };
            }
        }
        return {};
    }

    void expectShown(const Shown& expected) {
        std::vector<std::string> wanted;
        for (const int id : expected) {
            wanted.push_back(id == kError      ? "Error: ..."
                             : id == kErrorList ? "(error list)"
                                                : app::withOwnerName(app::languageText(app.context, id), "User"));
        }
        std::vector<std::string> seen;
        for (const app::Message& message : app.messages.shown) {
            seen.push_back(message.text.starts_with("Error: ") ? "Error: ..." : message.text);
        }
        if (forms.opened.contains("FrmImportMsg")) {
            seen.push_back("(error list)");
        }
        EXPECT_EQ(seen, wanted);
    }

    testing_support::TestApp app;
    testing_support::FakeModalForms forms;
    ui::GuiContext gui{app.context, forms};
    std::unique_ptr<TmpfsMount> mount;
    std::string home;
    std::string skipReason;
};

[[nodiscard]] bool isTouched(const std::string& entry, const std::vector<std::string>& touched) {
    return std::any_of(touched.begin(), touched.end(),
                       [&](const std::string& prefix) { return entry.starts_with(prefix); });
}

TEST_P(FaultMatrix, ShowsItsMessageAndKeepsEveryLinkTheUserDidNotChange) {
    const Cell& cell = GetParam();
    SCOPED_TRACE(cell.note);
    const std::function<void()> act = prepare();
    std::unique_ptr<ReadOnlyEntry> readOnly;
    if (cell.fault == Fault::ReadOnlyFile) {
        readOnly = std::make_unique<ReadOnlyEntry>(faultTarget());
        if (!readOnly->mounted()) {
            GTEST_SKIP() << "cannot mount " << faultTarget() << " read-only";
        }
    } else if (cell.fault == Fault::RemovedFile) {
        std::filesystem::remove_all(faultTarget());
    }
    const std::vector<std::string> before = snapshot();
    act();
    readOnly.reset();
    const std::vector<std::string> after = snapshot();

    expectShown(cell.shown);
    if (!cell.done) {
        EXPECT_EQ(after, before);
        return;
    }
    for (const std::string& entry : before) {
        if (!isTouched(entry, touched())) {
            EXPECT_TRUE(std::find(after.begin(), after.end(), entry) != after.end()) << "lost: " << entry;
        }
    }
}

// clang-format off
const Cell kCells[] = {
    {"AddToReadOnlyStore",          Op::Add,          Fault::ReadOnlyStore, {kError}, false},
    {"AddOverReadOnlyLink",         Op::Add,          Fault::ReadOnlyFile,  {556, kError}, false},
    {"AddToRemovedFolder",          Op::Add,          Fault::RemovedFile,   {kError}, false},
    {"AddOnFullDisk",               Op::Add,          Fault::FullDisk,      {kError}, false},
    {"AddSlashName",                Op::Add,          Fault::SlashName,     {kError}, false},
    {"AddTooLongName",              Op::Add,          Fault::LongName,      {kError}, false},
    {"AddBadUtf8Name",              Op::Add,          Fault::BadUtf8Name,   {538}, true, "a typed name is always valid text: the Latin-1 bytes arrive as characters"},
    {"EditInReadOnlyStore",         Op::Edit,         Fault::ReadOnlyStore, {kError}, false},
    {"EditReadOnlyLink",            Op::Edit,         Fault::ReadOnlyFile,  {kError}, false},
    {"EditRemovedLink",             Op::Edit,         Fault::RemovedFile,   {538}, true, "the old link is gone; the edited one is written"},
    {"EditOnFullDisk",              Op::Edit,         Fault::FullDisk,      {kError}, false},
    {"EditToSlashName",             Op::Edit,         Fault::SlashName,     {kError}, false},
    {"EditLongNamedLink",           Op::Edit,         Fault::LongName,      {538}, true},
    {"EditBadUtf8NamedLink",        Op::Edit,         Fault::BadUtf8Name,   {538}, true},
    {"DeleteInReadOnlyStore",       Op::Delete,       Fault::ReadOnlyStore, {544, 533, 545}, false},
    {"DeleteReadOnlyLink",          Op::Delete,       Fault::ReadOnlyFile,  {544, 533, 545}, false},
    {"DeleteRemovedLink",           Op::Delete,       Fault::RemovedFile,   {544, 533, 545}, false},
    {"DeleteOnFullDisk",            Op::Delete,       Fault::FullDisk,      {544, 545}, true, "deleting needs no space"},
    {"DeleteSlashName",             Op::Delete,       Fault::SlashName,     {544, 545}, true, "not meaningful: no file name holds '/'; deletes News"},
    {"DeleteLongNamedLink",         Op::Delete,       Fault::LongName,      {544, 545}, true},
    {"DeleteBadUtf8NamedLink",      Op::Delete,       Fault::BadUtf8Name,   {544, 545}, true},
    {"RenameFolderInReadOnlyStore", Op::RenameFolder, Fault::ReadOnlyStore, {}, false},
    {"RenameReadOnlyFolder",        Op::RenameFolder, Fault::ReadOnlyFile,  {}, false},
    {"RenameRemovedFolder",         Op::RenameFolder, Fault::RemovedFile,   {}, false},
    {"RenameFolderOnFullDisk",      Op::RenameFolder, Fault::FullDisk,      {}, true, "renaming needs no space"},
    {"RenameFolderToSlashName",     Op::RenameFolder, Fault::SlashName,     {}, false},
    {"RenameFolderToTooLongName",   Op::RenameFolder, Fault::LongName,      {}, false},
    {"RenameBadUtf8NamedFolder",    Op::RenameFolder, Fault::BadUtf8Name,   {}, false, "the tree holds folder names as text, so such a folder keeps its name"},
    {"EmptyReadOnlyStore",          Op::Empty,        Fault::ReadOnlyStore, {532}, false},
    {"EmptyWithReadOnlyLink",       Op::Empty,        Fault::ReadOnlyFile,  {532}, true, "what can go goes; the read-only link stays"},
    {"EmptyRemovedFolder",          Op::Empty,        Fault::RemovedFile,   {532}, false},
    {"EmptyOnFullDisk",             Op::Empty,        Fault::FullDisk,      {532}, true, "not meaningful: deleting needs no space"},
    {"EmptySlashName",              Op::Empty,        Fault::SlashName,     {532}, true, "not meaningful: no name is typed"},
    {"EmptyLongName",               Op::Empty,        Fault::LongName,      {532}, true, "not meaningful: no name is typed"},
    {"EmptyWithBadUtf8NamedLink",   Op::Empty,        Fault::BadUtf8Name,   {532}, true},
    {"ImportToReadOnlyStore",       Op::Import,       Fault::ReadOnlyStore, {kErrorList}, false},
    {"ImportOverReadOnlyLink",      Op::Import,       Fault::ReadOnlyFile,  {kErrorList}, true, "Fresh is imported, News fails"},
    {"ImportRemovedStagedLink",     Op::Import,       Fault::RemovedFile,   {542}, true, "a link no longer staged is passed over"},
    {"ImportOnFullDisk",            Op::Import,       Fault::FullDisk,      {kErrorList}, false},
    {"ImportSlashName",             Op::Import,       Fault::SlashName,     {542}, true, "the name cannot be a file name and is dropped"},
    {"ImportTooLongName",           Op::Import,       Fault::LongName,      {542}, true, "the name cannot be a file name and is dropped"},
    {"ImportBadUtf8Name",           Op::Import,       Fault::BadUtf8Name,   {542}, true},
    {"ExportFromReadOnlyStore",     Op::Export,       Fault::ReadOnlyStore, {539}, true, "the store is only read"},
    {"ExportToReadOnlyBookmarks",   Op::Export,       Fault::ReadOnlyFile,  {558}, false, "the bookmark file is left unchanged"},
    {"ExportRemovedLink",           Op::Export,       Fault::RemovedFile,   {539}, true},
    {"ExportToFullDisk",            Op::Export,       Fault::FullDisk,      {558}, false, "the bookmark file is left unchanged"},
    {"ExportSlashName",             Op::Export,       Fault::SlashName,     {539}, true, "not meaningful: no file name holds '/'"},
    {"ExportLongNamedLink",         Op::Export,       Fault::LongName,      {539}, true},
    {"ExportBadUtf8NamedLink",      Op::Export,       Fault::BadUtf8Name,   {539}, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::ValuesIn(kCells),
                         [](const ::testing::TestParamInfo<Cell>& info) { return std::string(info.param.name); });

}  // namespace
