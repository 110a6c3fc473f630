#include "model/TTextList.h"

#include "common/UAnsiCase.h"

void TTextList::Delete(int index)
{
    (void)Items.at(static_cast<std::size_t>(index));
    Items.erase(Items.begin() + index);
}

int TTextList::IndexOfIgnoringCase(std::string_view text) const
{
    for (std::size_t i = 0; i < Items.size(); ++i)
        if (SameTextIgnoringCase(Items[i], text))
            return static_cast<int>(i);
    return NotFound;
}
