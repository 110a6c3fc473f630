#pragma once
// A message box service for tests: records every box and answers from a script.

#include "ui/UMessageService.h"

#include <QList>
#include <QTest>

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
        if (Answers.empty()) {
            // A question that the test did not expect fails it rather than going ahead.
            if (buttons == TMsgButtons::OkCancel)
                QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + text), __FILE__, __LINE__);
            return buttons == TMsgButtons::Ok;
        }
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
    std::deque<bool> Answers; // next answers; when empty, "OK" to a message and a failure to a question
};
