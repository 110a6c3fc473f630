#pragma once
// Finds a control by its design name. A missing control fails the running test where it was
// looked for and yields a stand-in, so that the test ends with a failure instead of the run
// ending in a crash.

#include <QAction>
#include <QTest>

#include <source_location>
#include <type_traits>

inline void FailTestAt(const QString& why, const std::source_location& where)
{
    QTest::qFail(qPrintable(why), where.file_name(), static_cast<int>(where.line()));
}

template <class Control>
Control* FindControl(QObject* parent, const char* name, std::source_location where = std::source_location::current())
{
    if (auto* found = parent->findChild<Control*>(QString::fromLatin1(name)))
        return found;
    FailTestAt(QStringLiteral("no control ") + QString::fromLatin1(name), where);
    if constexpr (std::is_default_constructible_v<Control>)
        return new Control; // left behind by a test that has failed already
    else
        return nullptr;
}

// Triggers the action `name` as the user would, which a disabled action refuses: such an
// action fails the test instead.
inline void TriggerAction(QObject* parent, const char* name,
                          std::source_location where = std::source_location::current())
{
    QAction* action = FindControl<QAction>(parent, name, where);
    if (!action->isEnabled())
        FailTestAt(QStringLiteral("disabled action ") + QString::fromLatin1(name), where);
    else
        action->trigger();
}
