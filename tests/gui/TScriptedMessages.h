#pragma once
// A message box service for tests: records every box and answers from a script.

#include "ui/UMessageService.h"

#include <QList>

#include <deque>

class TScriptedMessages : public TMessageService {
public:
    struct TShown {
        TMsgKind Kind;
        QString Text;
        TMsgButtons Buttons;
    };

    bool Show(TMsgKind kind, const QString& text, TMsgButtons buttons) override
    {
        Shown.append({kind, text, buttons});
        if (Answers.empty())
            return true;
        const bool answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const auto& shown : Shown)
            texts << shown.Text;
        return texts;
    }

    QList<TShown> Shown;
    std::deque<bool> Answers; // next answers; "OK" when empty
};
