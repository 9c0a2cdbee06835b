#include "platform/text_library.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "testing/string_table_image.h"
#include "testing/files.h"

namespace {

using platform::TextLibrary;
using testing_support::StringTableImage;

std::string builtLanguageLibrary() { return testing_support::readFile(DORVANE_PORTABLE_DIR "/langfile0409.dll"); }

StringTableImage sampleImage(StringTableImage::Kind kind) {
    StringTableImage image(kind);
    image.add(0, u"first of block 1");
    image.add(15, u"last of block 1");
    image.add(16, u"first of block 2");
    image.add(302, u"Velqor Dorvane Lite");
    image.add(65535, u"last id there is");
    return image;
}

}  // namespace

TEST(TextLibrary, ReadsTextsOfEitherImageKindAtEveryBlockEdge) {
    for (const auto kind : {StringTableImage::Kind::Pe32, StringTableImage::Kind::Pe32Plus}) {
        StringTableImage builder = sampleImage(kind);
        const TextLibrary library = TextLibrary::fromImage(builder.build());
        ASSERT_TRUE(library.isLoaded());
        EXPECT_EQ(library.loadString(0), "first of block 1");
        EXPECT_EQ(library.loadString(15), "last of block 1");
        EXPECT_EQ(library.loadString(16), "first of block 2");
        EXPECT_EQ(library.loadString(302), "Velqor Dorvane Lite");
        EXPECT_EQ(library.loadString(65535), "last id there is");
        // ids the library lacks: an empty slot of a present block, and a block that is absent
        EXPECT_EQ(library.loadString(1), "");
        EXPECT_EQ(library.loadString(303), "");
        EXPECT_EQ(library.loadString(4000), "");
    }
}

TEST(TextLibrary, ConvertsUtf16ToUtf8) {
    const struct {
        std::u16string stored;
        std::string read;
    } cases[] = {
        {u"plain", "plain"},
        {u"Caf\u00e9 \u00fcber",
         "Caf\xc3\xa9 \xc3\xbc"
         "ber"},
        {u"\u6536\u85cf\u5939", "\xe6\x94\xb6\xe8\x97\x8f\xe5\xa4\xb9"},
        {u"\U0001F516 mark", "\xf0\x9f\x94\x96 mark"},
        {std::u16string(1, char16_t{0xD800}) + u"x", "\xef\xbf\xbdx"},
    };
    for (const auto& c : cases) {
        StringTableImage builder;
        builder.add(100, c.stored);
        EXPECT_EQ(TextLibrary::fromImage(builder.build()).loadString(100), c.read);
    }
}

TEST(TextLibrary, TakesTheFirstLanguageOfABlock) {
    StringTableImage builder;
    builder.add(104, u"Hinzuf\u00fcgen", 0x0407);
    builder.add(104, u"Add", 0x0409);
    EXPECT_EQ(TextLibrary::fromImage(builder.build()).loadString(104), "Hinzuf\xc3\xbcgen");
}

TEST(TextLibrary, DamagedImageLoadsAsNoLibrary) {
    using Layout = StringTableImage::Layout;
    const struct {
        const char* damage;
        std::function<void(std::string&, const Layout&)> apply;
    } cases[] = {
        {"not an MZ image", [](std::string& i, const Layout&) { i[0] = 'X'; }},
        {"PE header beyond the file",
         [](std::string& i, const Layout&) { StringTableImage::putU32(i, 0x3C, 0xFFFFFFF0); }},
        {"wrong PE signature", [](std::string& i, const Layout& l) { i[l.peHeader + 2] = 'X'; }},
        {"unknown optional header",
         [](std::string& i, const Layout& l) { StringTableImage::putU16(i, l.optionalHeader, 0x107); }},
        {"optional header beyond the file",
         [](std::string& i, const Layout& l) { StringTableImage::putU16(i, l.optionalHeaderSize, 0xFFFF); }},
        {"optional header too short for its directories",
         [](std::string& i, const Layout& l) { StringTableImage::putU16(i, l.optionalHeaderSize, 100); }},
        {"more sections than the file holds",
         [](std::string& i, const Layout& l) { StringTableImage::putU16(i, l.sectionCount, 0xFFFF); }},
        {"resources outside every section",
         [](std::string& i, const Layout& l) { StringTableImage::putU32(i, l.resourceDirectory, 0x90000); }},
        {"section data beyond the file",
         [](std::string& i, const Layout& l) { StringTableImage::putU32(i, l.sectionRawPointer, 0x100000); }},
        {"string type is not a directory",
         [](std::string& i, const Layout& l) { StringTableImage::putU32(i, l.typeEntryOffset, 24); }},
        {"more blocks than the resources hold",
         [](std::string& i, const Layout& l) { StringTableImage::putU16(i, l.blockDirectory + 14, 0xFFFF); }},
        {"language entry is a directory",
         [](std::string& i, const Layout& l) { i[l.firstLanguageEntry + 3] = static_cast<char>(0x80); }},
        {"block data outside every section",
         [](std::string& i, const Layout& l) { StringTableImage::putU32(i, l.firstDataEntry, 0x50000); }},
        {"block data longer than its section",
         [](std::string& i, const Layout& l) { StringTableImage::putU32(i, l.firstDataEntry + 4, 0x10000); }},
        {"text longer than its block",
         [](std::string& i, const Layout& l) { StringTableImage::putU16(i, l.firstBlockData, 0x7FFF); }},
    };
    for (const auto& c : cases) {
        StringTableImage builder = sampleImage(StringTableImage::Kind::Pe32Plus);
        std::string image = builder.build();
        ASSERT_TRUE(TextLibrary::fromImage(image).isLoaded());
        c.apply(image, builder.layout());
        const TextLibrary library = TextLibrary::fromImage(image);
        EXPECT_FALSE(library.isLoaded()) << c.damage;
        EXPECT_EQ(library.loadString(302), "") << c.damage;
    }
}

TEST(TextLibrary, TruncatedLibraryGivesAllOrNothing) {
    const std::string image = builtLanguageLibrary();
    const TextLibrary whole = TextLibrary::fromImage(image);
    ASSERT_TRUE(whole.isLoaded());
    const std::string caption = whole.loadString(302);
    ASSERT_FALSE(caption.empty());
    for (std::size_t length = 0; length < image.size(); ++length) {
        const TextLibrary cut = TextLibrary::fromImage(std::string_view(image).substr(0, length));
        if (cut.isLoaded()) {
            ASSERT_EQ(cut.loadString(302), caption) << "cut at " << length;
        } else {
            ASSERT_EQ(cut.loadString(302), "") << "cut at " << length;
        }
    }
}

TEST(TextLibrary, GarbageOrMissingFileGivesNoLibrary) {
    std::mt19937 random(20240601);
    std::vector<std::string> images = {"", "MZ", std::string(4096, '\0')};
    for (const std::size_t size : {64U, 512U, 5000U}) {
        std::string noise(size, '\0');
        for (char& byte : noise) {
            byte = static_cast<char>(random());
        }
        images.push_back(noise);
        images.push_back("MZ" + noise);
    }
    for (const std::string& image : images) {
        EXPECT_FALSE(TextLibrary::fromImage(image).isLoaded()) << "garbage of " << image.size() << " bytes";
    }
    const testing_support::TempFolder folder;
    EXPECT_FALSE(TextLibrary::load(folder / "langfile0409.dll").isLoaded());
    EXPECT_FALSE(TextLibrary::load(folder.path()).isLoaded());
}

TEST(TextLibrary, LoadReadsTheFileAndFreeEmptiesIt) {
    const testing_support::TempFolder folder;
    testing_support::writeFile(folder / "copy.dll", builtLanguageLibrary());
    TextLibrary library = TextLibrary::load(folder / "copy.dll");
    ASSERT_TRUE(library.isLoaded());
    EXPECT_EQ(library.loadString(302), "Velqor Dorvane Lite");
    library.free();
    EXPECT_FALSE(library.isLoaded());
    EXPECT_EQ(library.loadString(302), "");
}
