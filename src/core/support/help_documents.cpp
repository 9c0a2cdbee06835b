#include "core/support/help_documents.h"

#include "core/platform/file_listing.h"
#include "core/platform/paths.h"

namespace support {

std::string helpDocumentPath(std::string_view applicationFolder, HelpDocument document, std::string_view language) {
    const std::string_view stem = document == HelpDocument::What ? "what_" : "feature_";
    return platform::joinPath(applicationFolder, std::string(stem) + std::string(language) + ".pdf");
}

bool helpDocumentPresent(std::string_view documentPath) { return platform::fileExists(documentPath); }

}  // namespace support
