#pragma once
// Reads the model's date texts under the user's date settings, with the rules of the date
// fields and of the hour keys.

#include "model/UExportSet.h"
#include "ui/UDateFieldFormat.h"

class TLocaleDateReader : public TDateReader {
public:
    TLocaleDateReader();

    [[nodiscard]] std::optional<TCalendarDay> FieldDate(std::string_view text) const override;
    [[nodiscard]] std::optional<TCalendarDay> DayDate(std::string_view text) const override;

private:
    TDateFieldFormat FieldFormat;
};
