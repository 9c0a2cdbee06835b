#pragma once

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace app {
struct AppContext;
}  // namespace app

namespace ui {

// The frame "URL link information" of the add and edit dialogs: an instruction above a
// labelled field for the link's name and one for its URL. Each dialog places them itself.
struct LinkFields {
    QGroupBox* frame = nullptr;
    QLabel* instruction = nullptr;
    QLabel* nameLabel = nullptr;
    QLineEdit* name = nullptr;
    QLabel* urlLabel = nullptr;
    QLineEdit* url = nullptr;
};

// Creates the frame and its controls in the dialog; buttons added to the frame come after them.
[[nodiscard]] LinkFields createLinkFields(QWidget& dialog);

// The frame's title, the labels and the dialog's own instruction, from the language library.
void setLinkFieldCaptions(const app::AppContext& context, const LinkFields& fields, int instructionText);

}  // namespace ui
