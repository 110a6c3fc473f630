#include "TScriptedDialogs.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

bool TScriptedDialogs::Run(QDialog& dialog)
{
    Captions << dialog.windowTitle();
    if (Steps.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unscripted dialog: ") + dialog.windowTitle()), __FILE__, __LINE__);
        return false;
    }
    const TStep step = std::move(Steps.front());
    Steps.pop_front();
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    step(dialog);
    const bool accepted = !dialog.isVisible() && dialog.result() == QDialog::Accepted;
    dialog.hide();
    return accepted;
}

void TScriptedDialogs::AnswerOk(TStep fill)
{
    Steps.push_back([fill = std::move(fill)](QDialog& dialog) {
        if (fill)
            fill(dialog);
        ClickButton(dialog, "btnOk");
    });
}

void TScriptedDialogs::AnswerCancel()
{
    Steps.push_back([](QDialog& dialog) { ClickButton(dialog, "btnCancel"); });
}

void SetField(QDialog& dialog, const char* name, const QString& text)
{
    if (auto* line = dialog.findChild<QLineEdit*>(QString::fromLatin1(name))) {
        line->setText(text);
    } else if (auto* editor = dialog.findChild<QPlainTextEdit*>(QString::fromLatin1(name))) {
        editor->setPlainText(text);
    } else {
        QTest::qFail(qPrintable(QStringLiteral("no text field ") + QString::fromLatin1(name)), __FILE__, __LINE__);
    }
}

void ClickButton(QDialog& dialog, const char* name)
{
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    if (button == nullptr) {
        QTest::qFail(qPrintable(QStringLiteral("no button ") + QString::fromLatin1(name)), __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}
