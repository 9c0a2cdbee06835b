#include "gui/kit/desktop_services.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopAddress, ATargetWithoutASchemeOpensAsTheShellWouldOpenIt) {
    const std::string document = DORVANE_PORTABLE_DIR "/langfile0409.dll";
    const std::pair<std::string, std::string> cases[] = {
        {"www.example.com", "http://www.example.com"},
        {" example.com:8080/a b?q=1 ", "http://example.com:8080/a%20b?q=1"},
        {"localhost:8080", "http://localhost:8080"},
        {"192.168.1.1:8080/admin", "http://192.168.1.1:8080/admin"},
        {"www.exämple.com", "http://www.xn--exmple-cua.com"},
        {"C:\\Windows\\notepad.exe", ""},
        {"mailto:someone@example.com", "mailto:someone@example.com"},
        {document, "file://" + document},
        {"/no/such/notes.pdf", "file:///no/such/notes.pdf"},
        {"not a link", ""},
    };
    for (const auto& [target, address] : cases) {
        EXPECT_EQ(ui::desktopUrlOf(QString::fromStdString(target)).toString(QUrl::FullyEncoded).toStdString(), address)
            << target;
    }
}

}  // namespace
