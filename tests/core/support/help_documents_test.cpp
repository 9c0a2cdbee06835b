#include <gtest/gtest.h>

#include "testing/files.h"

// The build lays the English documents beside the program, as real PDF files; the help menu's
// test opens them by name.
TEST(HelpDocuments, EnglishDocumentsAreBuiltBesideTheProgram) {
    for (const char* name : {"/what_0409.pdf", "/feature_0409.pdf"}) {
        const std::string pdf = testing_support::readFile(DORVANE_PORTABLE_DIR + std::string(name));
        EXPECT_TRUE(pdf.starts_with("%PDF-") && pdf.ends_with("%%EOF\n") && pdf.size() > 4000) << name << pdf.size();
    }
}
