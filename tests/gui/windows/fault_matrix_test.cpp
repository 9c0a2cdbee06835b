// Every command that changes the store, run against a drive that fails it: a read-only
// store, a read-only file, a file removed behind the program's back, a full disk and names
// the file system refuses. Whatever happens, the program says so where it has a message
// for it, does not crash, and keeps every link the user did not change, byte for byte.
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "gui/windows/add_dialog.h"
#include "gui/windows/delete_dialog.h"
#include "gui/windows/edit_dialog.h"
#include "gui/windows/export_dialog.h"
#include "gui/windows/import_dialog.h"
#include "gui/windows/main_window.h"
#include "gui/windows/store_window_fixture.h"
#include "testing/read_only.h"

namespace {

using testing_support::TmpfsMount;

// Edit saves a link under its own name, Rename under a new one.
enum class Op { Add, Edit, Rename, Delete, RenameFolder, Empty, Import, Export };
enum class Fault { ReadOnlyStore, ReadOnlyFile, RemovedFile, FullDisk, SlashName, LongName, BadUtf8Name };

// Messages a cell expects, in order: text ids of the language library, or one of these.
constexpr int kError = -1;      // "Error: " and a description
constexpr int kErrorList = -2;  // the import's list of links that failed

struct Cell {
    const char* name;
    Op op;
    Fault fault;
    std::vector<int> shown;
    bool done;  // the user's change is carried out; otherwise nothing on disk changes
};

const std::string kLongName(250, 'L');       // the longest link name a file name can carry
const std::string kBadUtf8Name = "Caf\xe9";  // a name written in a Western code page
constexpr const char* kProfile = "home/Application data/Mozilla/Firefox/Profiles/x.default";

// Mounts a file or folder read-only over itself: it can then be neither written, nor deleted,
// nor renamed, even by root. The mount goes with the disk it is on.
bool mountReadOnly(const std::string& path) {
    return ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
           ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
}

// Writes to the file until the disk takes no more.
void fillDisk(const std::string& file) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT, 0644);
    const std::string block(4096, 'x');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
}

// The name a cell types or imports.
std::string nameOf(const Cell& cell) {
    return cell.fault == Fault::SlashName      ? "Work/News"
           : cell.fault == Fault::LongName     ? std::string(300, 'L')
           : cell.op == Op::RenameFolder       ? "Job"
           : cell.fault == Fault::BadUtf8Name  ? kBadUtf8Name + "s"  // never the name of a stored link
           : cell.fault == Fault::ReadOnlyFile ? "News"
                                               : "Fresh";
}

class FaultMatrix : public testing_support::StoreWindowTest, public ::testing::WithParamInterface<Cell> {
protected:
    // Internet Explorer holds four links beside the folder Work and a folder of a non-UTF-8
    // name, Firefox one link; the Firefox profile's bookmarks name a new link and the cell's
    // name. All on a small disk of their own, filled to the last page for a full-disk cell.
    void SetUp() override {
        const Cell& cell = GetParam();
        const std::string ie = "app/favorites/Internet Explorer/";
        std::vector<testing_support::TreeEntry> entries = {
            {ie + "Work/Deep.url", testing_support::shortcutBytes("http://deep/")},
            {ie + kBadUtf8Name + "/", ""},
            {"app/favorites/Firefox/Fox.url", testing_support::shortcutBytes("http://fox/")},
            {"home/Favorites/", ""},
            {std::string(kProfile) + "/bookmarks.html",
             testing_support::bookmarkFileText({{"Fresh", "http://fresh/"}, {nameOf(cell), "http://named/"}})}};
        for (const std::string& name : {std::string("News"), std::string("Keep"), kLongName, kBadUtf8Name}) {
            entries.push_back(
                {ie + name + ".url", testing_support::shortcutBytes("http://" + name.substr(0, 8) + "/")});
        }
        const bool full = cell.fault == Fault::FullDisk;
        disk = std::make_unique<TmpfsMount>(entries, TmpfsMount::Access::Writable,
                                            full ? TmpfsMount::kFullDiskSize : TmpfsMount::kDefaultSize);
        if (!disk->mounted()) {
            GTEST_SKIP() << disk->skipReason();
        }
        if (full) {
            fillDisk(*disk / "filler");
        }
        app.context.applicationFolder = *disk / "app";
        testing_support::writeFavoritesRegistry(app.context.registryFile, *disk / "home/Favorites");
    }

    // The store, the Firefox profile and Internet Explorer's Favorites as one list of entries.
    [[nodiscard]] std::vector<std::string> snapshot() const {
        std::vector<std::string> entries = testing_support::treeOf(store(""));
        for (const auto& [place, folder] : {std::pair{"profile:", std::string(kProfile)}, {"ie:", "home/Favorites"}}) {
            for (const std::string& entry : testing_support::treeOf(*disk / folder)) {
                entries.push_back(place + entry);
            }
        }
        return entries;
    }

    // The link a command acts on.
    [[nodiscard]] std::string chosenLink() const {
        const Fault fault = GetParam().fault;
        return fault == Fault::LongName ? kLongName : fault == Fault::BadUtf8Name ? kBadUtf8Name : "News";
    }
    // What a read-only or removed-file fault makes read-only or takes away.
    [[nodiscard]] std::string faultTarget() const {
        const Op op = GetParam().op;
        const bool removed = GetParam().fault == Fault::RemovedFile;
        return GetParam().fault == Fault::ReadOnlyStore               ? store("")
               : op == Op::RenameFolder || (removed && op == Op::Add) ? store("Internet Explorer/Work")
               : removed && op == Op::Empty                           ? store("Internet Explorer")
               : removed && op == Op::Import                          ? app.context.stagingFolder() + "/Fresh.url"
                                             : store("Internet Explorer/" + chosenLink() + ".url");
    }
    // The folder a folder rename renames.
    [[nodiscard]] std::string renamedFolder() const {
        return GetParam().fault == Fault::BadUtf8Name ? kBadUtf8Name : "Work";
    }
    // Where the snapshot may show the user's change: entries that start with it.
    [[nodiscard]] std::string touched() const {
        const Op op = GetParam().op;
        return op == Op::Empty          ? "Internet Explorer/"
               : op == Op::Export       ? "profile:"
               : op == Op::RenameFolder ? "Internet Explorer/" + renamedFolder() + "/"
                                        : "Internet Explorer/" + chosenLink() + ".url";
    }

    // Opens the window a command runs in and chooses what it acts on; returns the command.
    std::function<void()> prepare() {
        const Cell& cell = GetParam();
        const QString name = QString::fromStdString(nameOf(cell));
        switch (cell.op) {
            case Op::Add: {
                auto dialog = std::make_shared<ui::AddDialog>(app.context);
                click(dialog->folderTree().view(), "Internet Explorer");
                if (cell.fault == Fault::RemovedFile) {
                    click(dialog->folderTree().view(), "Work");
                }
                return [dialog, name] { enter(*dialog, name, "http://added/", "btnAdd"); };
            }
            case Op::Edit:
            case Op::Rename: {
                auto dialog = std::make_shared<ui::EditDialog>(app.context);
                click(dialog->folderTree().view(), "Internet Explorer");
                click(dialog->linkList().view(), chosenLink());
                // Edit keeps the name the click put in its field
                const QString typed = cell.op == Op::Rename ? name : fields(*dialog)[0];
                return [dialog, typed] {
                    enter(*dialog, typed, "http://a-much-longer-address.example/edited/", "btnSave");
                };
            }
            case Op::Delete: {
                auto dialog = std::make_shared<ui::DeleteDialog>(app.context);
                click(dialog->folderTree().view(), "Internet Explorer");
                click(dialog->linkList().view(), chosenLink());
                return [dialog] { dialog->findChild<QPushButton*>("btnDelete")->click(); };
            }
            case Op::RenameFolder:
            case Op::Empty: {
                auto window = std::make_shared<ui::MainWindow>(gui);
                window->load();
                if (cell.op == Op::Empty) {
                    return [window] { window->emptyBrowserFolder(store::Browser::InternetExplorer); };
                }
                click(window->folderTree().view(), "Internet Explorer");
                click(window->folderTree().view(), renamedFolder());
                return [window, name] {
                    window->folderTree().beginRename();
                    window->folderTree().selectedItem()->setText(0, name);
                };
            }
            case Op::Import: {
                auto dialog = std::make_shared<ui::ImportDialog>(gui);
                click(dialog->storeTree().view(), "Internet Explorer");
                click(dialog->browserTree(), "FireFox");
                return [dialog] { dialog->findChild<QPushButton*>("btnImport")->click(); };
            }
            case Op::Export: {
                auto dialog = std::make_shared<ui::ExportDialog>(app.context);
                click(dialog->storeTree().view(), "Internet Explorer");
                dialog->toggleAllChecks();
                const bool toFiles = cell.fault == Fault::LongName || cell.fault == Fault::BadUtf8Name;
                click(dialog->browserTree(), toFiles ? "Internet Explorer" : "FireFox");
                return [dialog] { dialog->findChild<QPushButton*>("btnExport")->click(); };
            }
        }
        return {};
    }

    std::unique_ptr<TmpfsMount> disk;  // holds app/ and home/
};

TEST_P(FaultMatrix, ShowsItsMessageAndKeepsEveryLinkTheUserDidNotChange) {
    const Cell& cell = GetParam();
    const std::function<void()> command = prepare();
    if (cell.fault == Fault::ReadOnlyStore || cell.fault == Fault::ReadOnlyFile) {
        ASSERT_TRUE(mountReadOnly(faultTarget())) << faultTarget();
    } else if (cell.fault == Fault::RemovedFile) {
        std::filesystem::remove_all(faultTarget());
    }
    const std::vector<std::string> before = snapshot();
    command();
    const std::vector<std::string> after = snapshot();

    std::vector<std::string> expected;
    for (const int id : cell.shown) {
        expected.push_back(id == kError       ? "Error"
                           : id == kErrorList ? "(error list)"
                                              : app::withOwnerName(text(id), "Ann"));
    }
    std::vector<std::string> seen;
    for (const ui::Message& message : app.messages.shown) {
        seen.push_back(message.text.starts_with("Error: ") ? "Error" : message.text);
    }
    if (forms.opened.contains("FrmImportMsg")) {
        seen.push_back("(error list)");
    }
    EXPECT_EQ(seen, expected);
    // a change not carried out leaves the disk as it was; one carried out changes it, and an
    // edit that keeps the name keeps the link's file, whatever bytes name it
    EXPECT_EQ(after == before, !cell.done);
    if (cell.done && cell.op == Op::Edit) {
        EXPECT_TRUE(
            std::ranges::any_of(after, [this](const std::string& entry) { return entry.starts_with(touched()); }));
    }
    for (std::string entry : before) {
        if (cell.done && cell.op == Op::RenameFolder && entry.starts_with(touched())) {
            entry.replace(18, renamedFolder().size(), "Job");  // moved with its folder
        }
        EXPECT_TRUE(entry.starts_with(touched()) || std::ranges::find(after, entry) != after.end())
            << "lost: " << entry;
    }
}

// clang-format off
const Cell kCells[] = {
    {"AddToReadOnlyStore",          Op::Add,          Fault::ReadOnlyStore, {kError}, false},
    {"AddOverReadOnlyLink",         Op::Add,          Fault::ReadOnlyFile,  {556, kError}, false},
    {"AddToRemovedFolder",          Op::Add,          Fault::RemovedFile,   {kError}, false},
    {"AddOnFullDisk",               Op::Add,          Fault::FullDisk,      {kError}, false},
    {"AddSlashName",                Op::Add,          Fault::SlashName,     {560}, false},  // not into the folder Work
    {"AddTooLongName",              Op::Add,          Fault::LongName,      {kError}, false},
    {"EditInReadOnlyStore",         Op::Edit,         Fault::ReadOnlyStore, {kError}, false},
    {"EditReadOnlyLink",            Op::Edit,         Fault::ReadOnlyFile,  {kError}, false},
    {"EditOnFullDisk",              Op::Edit,         Fault::FullDisk,      {kError}, false},  // rewritten beside, never in place
    {"EditLongNamedLink",           Op::Edit,         Fault::LongName,      {538}, true},
    {"EditBadUtf8NamedLink",        Op::Edit,         Fault::BadUtf8Name,   {538}, true},
    {"RenameRemovedLink",           Op::Rename,       Fault::RemovedFile,   {538}, true},  // the renamed link is written
    {"RenameLinkOnFullDisk",        Op::Rename,       Fault::FullDisk,      {kError}, false},  // the old link goes only after the new one is written
    {"DeleteInReadOnlyStore",       Op::Delete,       Fault::ReadOnlyStore, {544, 533, 545}, false},
    {"DeleteReadOnlyLink",          Op::Delete,       Fault::ReadOnlyFile,  {544, 533, 545}, false},
    {"DeleteRemovedLink",           Op::Delete,       Fault::RemovedFile,   {544, 533, 545}, false},
    {"DeleteOnFullDisk",            Op::Delete,       Fault::FullDisk,      {544, 545}, true},  // deleting needs no space
    {"DeleteLongNamedLink",         Op::Delete,       Fault::LongName,      {544, 545}, true},
    {"DeleteBadUtf8NamedLink",      Op::Delete,       Fault::BadUtf8Name,   {544, 545}, true},
    {"RenameFolderInReadOnlyStore", Op::RenameFolder, Fault::ReadOnlyStore, {562}, false},
    {"RenameReadOnlyFolder",        Op::RenameFolder, Fault::ReadOnlyFile,  {562}, false},
    {"RenameRemovedFolder",         Op::RenameFolder, Fault::RemovedFile,   {562}, false},
    {"RenameFolderOnFullDisk",      Op::RenameFolder, Fault::FullDisk,      {}, true},  // renaming needs no space
    {"RenameFolderToSlashName",     Op::RenameFolder, Fault::SlashName,     {560}, false},
    {"RenameBadUtf8NamedFolder",    Op::RenameFolder, Fault::BadUtf8Name,   {}, true},  // the tree knows the folder by its own bytes
    {"EmptyReadOnlyStore",          Op::Empty,        Fault::ReadOnlyStore, {532}, false},
    {"EmptyWithReadOnlyLink",       Op::Empty,        Fault::ReadOnlyFile,  {532}, true},  // what can go goes
    {"EmptyRemovedFolder",          Op::Empty,        Fault::RemovedFile,   {532}, false},
    {"EmptyWithBadUtf8NamedLink",   Op::Empty,        Fault::BadUtf8Name,   {532}, true},
    {"ImportToReadOnlyStore",       Op::Import,       Fault::ReadOnlyStore, {kErrorList}, false},
    {"ImportOverReadOnlyLink",      Op::Import,       Fault::ReadOnlyFile,  {kErrorList}, true},  // Fresh is imported, News fails
    {"ImportRemovedStagedLink",     Op::Import,       Fault::RemovedFile,   {542}, false},  // a link no longer staged is passed over
    {"ImportOnFullDisk",            Op::Import,       Fault::FullDisk,      {kErrorList}, false},
    {"ImportSlashName",             Op::Import,       Fault::SlashName,     {542}, true},  // a name that cannot be a file name is dropped
    {"ImportTooLongName",           Op::Import,       Fault::LongName,      {542}, true},
    {"ImportBadUtf8Name",           Op::Import,       Fault::BadUtf8Name,   {542}, true},
    {"ExportFromReadOnlyStore",     Op::Export,       Fault::ReadOnlyStore, {539}, true},  // the store is only read
    {"ExportRemovedLink",           Op::Export,       Fault::RemovedFile,   {539}, true},
    {"ExportToFullDisk",            Op::Export,       Fault::FullDisk,      {558}, false},
    {"ExportLongNamedLink",         Op::Export,       Fault::LongName,      {539}, true},
    {"ExportBadUtf8NamedLink",      Op::Export,       Fault::BadUtf8Name,   {539}, true},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cells, FaultMatrix, ::testing::ValuesIn(kCells),
                         [](const ::testing::TestParamInfo<Cell>& info) { return std::string(info.param.name); });

}  // namespace
