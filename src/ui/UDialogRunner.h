#pragma once
// The one way the program shows a modal dialog, so that tests can answer a dialog without
// a modal loop: a scripted runner fills it in and closes it.

class QDialog;

class TDialogRunner {
public:
    virtual ~TDialogRunner() = default;
    // Shows `dialog` modally until it closes; true when it closed with Ok (accepted).
    virtual bool Run(QDialog& dialog) = 0;
};

// Runs the dialog's own modal loop.
class TQtDialogRunner : public TDialogRunner {
public:
    bool Run(QDialog& dialog) override;
};
