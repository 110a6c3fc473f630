#pragma once
// Finds a control by its design name. A missing control fails the running test and yields a
// stand-in, so that the test ends with a failure instead of the run ending in a crash.

#include <QTest>

template <class Control>
Control* FindControl(QObject* parent, const char* name)
{
    if (auto* found = parent->findChild<Control*>(QString::fromLatin1(name)))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no control ") + QString::fromLatin1(name)), __FILE__, __LINE__);
    return new Control; // left behind by a test that has failed already
}
