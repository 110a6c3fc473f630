#pragma once
// Finds a control by its design name. A missing control fails the running test and yields a
// stand-in, so that the test ends with a failure instead of the run ending in a crash.

#include <QAction>
#include <QTest>

#include <type_traits>

template <class Control>
Control* FindControl(QObject* parent, const char* name)
{
    if (auto* found = parent->findChild<Control*>(QString::fromLatin1(name)))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no control ") + QString::fromLatin1(name)), __FILE__, __LINE__);
    if constexpr (std::is_default_constructible_v<Control>)
        return new Control; // left behind by a test that has failed already
    else
        return nullptr;
}

// Triggers the action `name` as the user would, which a disabled action refuses: such an
// action fails the test instead.
inline void TriggerAction(QObject* parent, const char* name)
{
    QAction* action = FindControl<QAction>(parent, name);
    if (!action->isEnabled())
        QTest::qFail(qPrintable(QStringLiteral("disabled action ") + QString::fromLatin1(name)), __FILE__, __LINE__);
    else
        action->trigger();
}
