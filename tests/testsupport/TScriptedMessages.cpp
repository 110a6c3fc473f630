#include "TScriptedMessages.h"

#include <QTest>

bool TScriptedMessages::Show(TMsgKind kind, const QString& text, TMsgButtons buttons)
{
    Shown.append({kind, text, buttons});
    if (buttons == TMsgButtons::Ok)
        return true;
    if (Answers.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + text), __FILE__, __LINE__);
        return false;
    }
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

TSaveAnswer TScriptedMessages::AskToSave(const QString& text)
{
    Shown.append({TMsgKind::Information, text, TMsgButtons::SaveDontSaveCancel});
    if (SaveAnswers.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted question: ") + text), __FILE__, __LINE__);
        return TSaveAnswer::Cancel;
    }
    const TSaveAnswer answer = SaveAnswers.front();
    SaveAnswers.pop_front();
    return answer;
}

QStringList TScriptedMessages::Texts() const
{
    QStringList texts;
    for (const auto& shown : Shown)
        texts << shown.Text;
    return texts;
}

void TScriptedMessages::Clear()
{
    Shown.clear();
    Answers.clear();
    SaveAnswers.clear();
}
