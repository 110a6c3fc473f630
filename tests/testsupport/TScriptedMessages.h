#pragma once
// A message box service for tests: records every box and answers from a script. A question
// that no test scripted fails the running test and is answered "Cancel".

#include "ui/UMessageService.h"

#include <QList>
#include <QStringList>

#include <deque>

class TScriptedMessages : public TMessageService {
public:
    struct TShown {
        TMsgKind Kind;
        QString Text;
        TMsgButtons Buttons;
    };

    bool Show(TMsgKind kind, const QString& text, TMsgButtons buttons) override;
    TSaveAnswer AskToSave(const QString& text) override;

    QStringList Texts() const;
    void Clear();

    QList<TShown> Shown;
    std::deque<bool> Answers;            // the answers to the next questions, true for "OK"
    std::deque<TSaveAnswer> SaveAnswers; // to the next "Save", "Don't Save", "Cancel" questions
};
