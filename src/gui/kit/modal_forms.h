#pragma once

class QDialog;

// Modal forms open through this service, so that a test can run a dialog's handlers
// without a blocking event loop.
namespace ui {

class ModalFormService {
public:
    virtual ~ModalFormService() = default;
    // Shows the dialog modally and returns when it is closed.
    virtual void showModal(QDialog& dialog) = 0;
};

class QtModalFormService final : public ModalFormService {
public:
    void showModal(QDialog& dialog) override;
};

}  // namespace ui
