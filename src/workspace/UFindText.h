#pragma once
// What the find field looks for, in the planner's Windows-1252.

#include "model/UTextFinder.h"
#include "ui/UAnsiText.h"

// A character that Windows-1252 cannot hold is in no planner text; converted, it would become
// "?" and find every question mark.
inline TTextFinder FinderFor(const QString& typed)
{
    return FindNonAnsiCharacter(typed) < 0 ? TTextFinder(QStringToAnsi(typed)) : TTextFinder::Nothing();
}
