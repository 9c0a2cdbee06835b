#pragma once

#include <string>
#include <string_view>

// The two documents the Help menu opens, laid beside the program, one pair per language.
namespace support {

enum class HelpDocument {
    What,     // what the program is and how to use it
    Feature,  // the feature comparison chart
};

// <application folder>/what_<Language>.pdf or <application folder>/feature_<Language>.pdf
[[nodiscard]] std::string helpDocumentPath(std::string_view applicationFolder, HelpDocument document,
                                           std::string_view language);

// Whether the document of the path lies there, its name found in any case.
[[nodiscard]] bool helpDocumentPresent(std::string_view documentPath);

}  // namespace support
