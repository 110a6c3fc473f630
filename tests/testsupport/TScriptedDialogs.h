#pragma once
// A dialog runner for tests: each dialog the program runs is shown without a modal loop and
// handed to the next scripted step, which fills it in and presses "Ok" or "Cancel". A dialog
// that no test scripted fails the running test and counts as cancelled.

#include "ui/UDialogRunner.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

class TScriptedDialogs : public TDialogRunner {
public:
    using TStep = std::function<void(QDialog&)>;

    bool Run(QDialog& dialog) override;

    // Scripts the next dialog: `fill` sets its fields, then "Ok" is clicked.
    void AnswerOk(TStep fill = {});
    void AnswerCancel();

    std::deque<TStep> Steps;
    QStringList Captions; // of every dialog run, in order
};

// Types `text` into the line edit or text editor named `name` of `dialog`.
void SetField(QDialog& dialog, const char* name, const QString& text);
// Clicks the push button named `name` of `dialog`.
void ClickButton(QDialog& dialog, const char* name);
