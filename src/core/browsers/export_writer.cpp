#include "core/browsers/export_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "core/app/scratch_folder.h"
#include "core/browsers/browser_locations.h"
#include "core/browsers/firefox_profiles.h"
#include "core/browsers/name_search.h"
#include "core/browsers/places_writer.h"
#include "core/platform/file_listing.h"
#include "core/platform/file_ops.h"
#include "core/platform/folder_names.h"
#include "core/platform/paths.h"
#include "core/platform/plain_files.h"
#include "core/platform/replace_file.h"
#include "core/store/shortcut.h"

namespace browsers {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kRootListEnd = "</DL><p>";

// The lines of a text: CR LF, LF or CR ends a line, and an end at the very end of the text
// starts no further line.
[[nodiscard]] std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    // kept between lines, so that a text whose lines end in CR alone is not searched over and over
    std::size_t lineFeed = std::min(text.find('\n'), text.size());
    while (start < text.size()) {
        if (lineFeed < start) {
            lineFeed = std::min(text.find('\n', start), text.size());
        }
        const std::size_t carriageReturn = text.substr(start, lineFeed - start).find('\r');
        if (carriageReturn == std::string_view::npos) {
            lines.push_back(text.substr(start, lineFeed - start));
            start = lineFeed + 1;
            continue;
        }
        const std::size_t end = start + carriageReturn;
        lines.push_back(text.substr(start, end - start));
        start = end + 1 == lineFeed ? end + 2 : end + 1;
    }
    return lines;
}

// The link name of a file path: after its last '/' and before its last '.'.
[[nodiscard]] std::string linkNameOfPath(std::string_view path) {
    const std::string_view fileName = path.substr(path.rfind('/') + 1);
    return std::string(fileName.substr(0, fileName.rfind('.')));
}

struct CheckedLinks {
    std::vector<std::string> names;
    std::vector<const ExportItem*> items;
};

[[nodiscard]] CheckedLinks checkedLinksOf(const std::vector<ExportItem>& items) {
    CheckedLinks checked;
    for (const ExportItem& item : items) {
        if (item.checked) {
            checked.names.push_back(linkNameOfPath(item.fullPath));
            checked.items.push_back(&item);
        }
    }
    return checked;
}

// Gives a file new contents through "<file>.tmp" beside it, written a piece at a time:
// the temporary file takes the file's place only once all of it is written, so until then,
// and after any failure, the file is exactly as it was and the temporary file is gone.
class ReplacementFile final {
public:
    explicit ReplacementFile(const std::string& file) : m_file(realFileOf(file)), m_temporary(m_file + ".tmp") {}
    ~ReplacementFile() {
        if (m_descriptor >= 0) {
            ::close(m_descriptor);
        }
        if (m_created && !m_committed) {
            ::unlink(m_temporary.c_str());
        }
    }
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    [[nodiscard]] bool open() {
        struct stat status {};
        // a file the user may not write is refused, though its folder would allow the rename
        if (::stat(m_file.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || ::access(m_file.c_str(), W_OK) != 0) {
            return false;
        }
        ::unlink(m_temporary.c_str());
        m_descriptor = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        m_created = m_descriptor >= 0;
        // the new file is readable by whoever could read the old one
        return m_created && ::fchmod(m_descriptor, status.st_mode & 07777) == 0;
    }

    void writeLine(std::string_view line) {
        if (m_buffer.size() + line.size() + kLineEnd.size() > kBufferSize) {
            flush();
        }
        m_buffer.append(line).append(kLineEnd);
    }

    [[nodiscard]] bool commit() {
        flush();
        const bool synced = !m_failed && ::fsync(m_descriptor) == 0;
        const bool closed = ::close(m_descriptor) == 0;
        m_descriptor = -1;
        m_committed = synced && closed && ::rename(m_temporary.c_str(), m_file.c_str()) == 0;
        return m_committed;
    }

private:
    static constexpr std::size_t kBufferSize = 256 * 1024;

    // The file as the drive spells it; a link is followed, so that its target gets the new
    // contents and the link stays.
    [[nodiscard]] static std::string realFileOf(const std::string& file) {
        const std::string stored = platform::resolvePath(file);
        std::error_code error;
        const std::filesystem::path real = std::filesystem::canonical(stored, error);
        return error ? stored : real.string();
    }

    void flush() {
        // after a failed write nothing more is written: the file is not committed anyway
        m_failed = m_failed || !platform::writeAll(m_descriptor, m_buffer);
        m_buffer.clear();
    }

    std::string m_file;
    std::string m_temporary;
    std::string m_buffer;
    int m_descriptor = -1;
    bool m_created = false;
    bool m_failed = false;
    bool m_committed = false;
};

// Writes the bookmark file anew: its lines but the last, then a line for every checked link
// whose name none of the file's lines holds, then the end of the root list. The test looks
// at the file as it was read, so two checked links of the same name are both written.
[[nodiscard]] bool rewriteBookmarkFile(const std::string& bookmarkFile, const std::vector<ExportItem>& items) {
    std::string original;
    if (!platform::readWholeFile(bookmarkFile, original)) {
        return false;
    }
    const std::vector<std::string_view> lines = splitLines(original);
    const CheckedLinks checked = checkedLinksOf(items);
    const std::vector<bool> present = namesFoundInLines(lines, checked.names);

    ReplacementFile file(bookmarkFile);
    if (!file.open()) {
        return false;
    }
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        file.writeLine(lines[i]);
    }
    for (std::size_t i = 0; i < checked.names.size(); ++i) {
        if (!present[i]) {
            file.writeLine(bookmarkLine(checked.names[i], store::readLinkTarget(checked.items[i]->fullPath)));
        }
    }
    file.writeLine(kRootListEnd);
    return file.commit();
}

// Where a Firefox profile's database is kept before an export writes it: a folder of the
// profile's name below the backup folder's "Firefox", as each browser has its own there.
[[nodiscard]] std::string keptCopyFolder(const app::AppContext& context, std::string_view profile) {
    return platform::joinPath(platform::joinPath(context.backupFolder(), "Firefox"),
                              profile.substr(profile.rfind('/') + 1));
}

// The checked links with their targets, as a Firefox database receives them.
[[nodiscard]] std::vector<PlacesLink> placesLinksOf(const std::vector<ExportItem>& items) {
    const CheckedLinks checked = checkedLinksOf(items);
    std::vector<PlacesLink> links;
    links.reserve(checked.names.size());
    for (std::size_t i = 0; i < checked.names.size(); ++i) {
        links.push_back({checked.names[i], store::readLinkTarget(checked.items[i]->fullPath)});
    }
    return links;
}

}  // namespace

bool StagedLinks::write(const platform::FolderNames& stagingFolder, std::string_view name, std::string bytes) {
    const auto [entry, isNew] = m_bytes.try_emplace(std::string(name));
    if (!platform::writeFileAs(stagingFolder, entry->first, isNew, bytes)) {
        if (isNew) {
            m_bytes.erase(entry);
        }
        return false;
    }
    entry->second = std::move(bytes);
    return true;
}

const std::string* StagedLinks::bytesOf(std::string_view name) const {
    const auto found = m_bytes.find(name);
    return found == m_bytes.end() ? nullptr : &found->second;
}

StagedLinks stageLinks(const app::AppContext& context, store::Browser browser, std::string_view listedFolder,
                       std::vector<ListedLink> links) {
    const std::string staging = context.stagingFolder();
    const bool madeAnew = emptyStagingFolder(staging);
    // without a staging folder a copy would take its name
    if (!platform::folderExists(staging)) {
        return StagedLinks();
    }
    const std::string topFolderPath = store::topFolder(context.applicationFolder, browser);
    const platform::FolderNames topFolder(topFolderPath);
    const bool topFolderHoldsQuestionMark = topFolderPath.find('?') != std::string::npos;
    const auto staged = [&](const ListedLink& link) {
        return browser != store::Browser::InternetExplorer ||
               (!topFolderHoldsQuestionMark && link.text.find('?') == std::string::npos);
    };
    // The list has just read the top folder's own files: their bytes are written as read, and
    // a file the list could not read is not there to be copied.
    if (madeAnew && platform::FolderNames(listedFolder).folder() == topFolder.folder()) {
        StagedLinks record(links.size());
        const platform::FolderNames stagingFolder(staging);
        for (ListedLink& link : links) {
            if (staged(link) && link.fileText) {
                static_cast<void>(record.write(stagingFolder, link.text, std::move(*link.fileText)));
            }
        }
        return record;
    }
    platform::FolderNames stagingNames(staging);
    stagingNames.expectMore(links.size());
    for (const ListedLink& link : links) {
        if (staged(link)) {
            static_cast<void>(platform::copyFileBetween(topFolder, link.text, stagingNames));
        }
    }
    return StagedLinks();
}

void StoreURLIE(const app::AppContext& context, const std::vector<std::string>& itemTexts, const StagedLinks& staged) {
    const std::string favorites = ieFavoritesFolder(context);
    if (favorites.empty()) {
        return;
    }
    const platform::FolderNames stagingFolder(context.stagingFolder());
    // a missing Favorites folder is made by the first copy
    platform::FolderNames target(favorites);
    target.expectMore(itemTexts.size());
    for (const std::string& text : itemTexts) {
        if (const std::string* bytes = staged.bytesOf(text)) {
            static_cast<void>(platform::writeFileIn(target, text, *bytes));
        } else {
            static_cast<void>(platform::copyFileBetween(stagingFolder, text, target, text));
        }
    }
    // the copies are reported no more than the shell reports them
    static_cast<void>(platform::flushDrive(target.folder()));
}

std::optional<store::Browser> exportBrowserOfNode(std::string_view nodeName) {
    if (platform::startsWithIgnoreCase(nodeName, "Internet Explorer")) {
        return store::Browser::InternetExplorer;
    }
    if (platform::startsWithIgnoreCase(nodeName, "FireFox")) {
        return store::Browser::Firefox;
    }
    return std::nullopt;
}

ExportOutcome exportLinks(app::AppContext& context, std::optional<store::Browser> destination,
                          const std::vector<ExportItem>& items, const StagedLinks& staged) {
    app::ensureScratchFolder(context);
    // exporting nothing into the root "Browser" and then saying the links were exported would
    // mislead, so it is refused like no choice at all
    if (destination != store::Browser::InternetExplorer && destination != store::Browser::Firefox) {
        return ExportOutcome::NoDestination;
    }
    if (items.empty()) {
        return ExportOutcome::NothingToExport;
    }
    if (destination == store::Browser::Firefox) {
        return StoreURLFirefox(context, items);
    }
    std::vector<std::string> fileNames;
    fileNames.reserve(items.size());
    for (const ExportItem& item : items) {
        fileNames.push_back(item.text);
    }
    StoreURLIE(context, fileNames, staged);
    return ExportOutcome::Done;
}

ExportOutcome StoreURLFirefox(app::AppContext& context, const std::vector<ExportItem>& items) {
    const ExportOutcome outcome = EditHTML(profileRootOf(context, store::Browser::Firefox), items);
    if (outcome != ExportOutcome::NoBookmarkFile) {
        return outcome;
    }
    const std::optional<std::string> profile = startedProfileWithDatabase(context.configFolder, context.homeFolder);
    if (!profile) {
        return outcome;
    }
    switch (addToBookmarksMenu(*profile, keptCopyFolder(context, *profile), placesLinksOf(items))) {
        case PlacesWrite::Written:
            return ExportOutcome::Done;
        case PlacesWrite::InUse:
            return ExportOutcome::FirefoxRunning;
        case PlacesWrite::UnknownVersion:
            return ExportOutcome::UnknownDatabase;
        case PlacesWrite::NotWritten:
            break;
    }
    return ExportOutcome::DatabaseNotWritten;
}

ExportOutcome EditHTML(std::string_view profileRoot, const std::vector<ExportItem>& items) {
    const std::vector<std::string> found = findBookmarkFiles(profileRoot);
    if (found.empty()) {
        return ExportOutcome::NoBookmarkFile;
    }
    // with several profiles, the file found last receives the links
    return rewriteBookmarkFile(found.back(), items) ? ExportOutcome::Done : ExportOutcome::NotWritten;
}

std::string bookmarkLine(std::string_view name, std::string_view url) {
    std::string line = "<DT><A HREF=\"";
    line.append(url).append("\" ADD_DATE =\"1113502144\" LAST_MODIFIED =\"1113502155\">");
    line.append(name).append("</A>");
    return line;
}

}  // namespace browsers
