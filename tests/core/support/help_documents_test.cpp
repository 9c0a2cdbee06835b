#include "core/support/help_documents.h"

#include <gtest/gtest.h>

#include "testing/files.h"

namespace {

using support::HelpDocument;

// The English documents are laid beside the program by the build, and are real,
// non-trivial PDF files.
TEST(HelpDocuments, EnglishDocumentsAreBuiltBesideTheProgram) {
    for (const HelpDocument document : {HelpDocument::What, HelpDocument::Feature}) {
        const std::string path = support::helpDocumentPath(DORVANE_PORTABLE_DIR, document, "0409");
        const std::string contents = testing_support::readFile(path);
        EXPECT_TRUE(contents.starts_with("%PDF-")) << path;
        EXPECT_TRUE(contents.find("%%EOF") != std::string::npos) << path;
        EXPECT_GT(contents.size(), 4000u) << path;
    }
    EXPECT_EQ(support::helpDocumentPath("/stick/app", HelpDocument::Feature, "0804"), "/stick/app/feature_0804.pdf");
}

}  // namespace
