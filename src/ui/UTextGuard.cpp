#include "ui/UTextGuard.h"

#include "ui/UAnsiText.h"

#include <QLineEdit>
#include <QToolTip>

#include <algorithm>

namespace {

constexpr int HintMilliseconds = 4000;

QString FaultHint(TStorableFault fault)
{
    switch (fault) {
    case TStorableFault::None:
        break;
    case TStorableFault::Caret:
        return QStringLiteral("\"^\" cannot be saved.");
    case TStorableFault::DoubledYen:
        return QString::fromUtf8("\"¥¥\" cannot be saved: it would come back as a line break.");
    case TStorableFault::DoubledSection:
        return QString::fromUtf8("\"§§\" cannot be saved: it would come back as a line break.");
    case TStorableFault::YenBeforeCr:
        return QString::fromUtf8("\"¥\" cannot end a line.");
    case TStorableFault::SectionBeforeLf:
        return QString::fromUtf8("\"§\" cannot end a line.");
    case TStorableFault::LineBreak:
        return QStringLiteral("This field holds a single line.");
    }
    return {};
}

} // namespace

TTextChange FindChange(const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return {prefix, before.size() - prefix - suffix, after.size() - prefix - suffix};
}

QString RefusalHint(const QString& before, const QString& after, TTextLines lines)
{
    const TTextChange change = FindChange(before, after);
    // The faults are single characters or pairs, so a neighbour on each side of the change
    // catches every one that the change makes, also where a deletion joins two characters.
    const qsizetype start = std::max<qsizetype>(change.Start - 1, 0);
    const qsizetype end = std::min(change.Start + change.Added + 1, after.size());
    const QString changed = after.mid(start, end - start);

    const qsizetype foreign = FindNonAnsiCharacter(changed);
    if (foreign >= 0) {
        const qsizetype length = changed[foreign].isHighSurrogate() ? 2 : 1;
        return QStringLiteral("\"%1\" cannot be saved: only Western European characters can.")
            .arg(changed.mid(foreign, length));
    }
    return FaultHint(FindStorableFault(QStringToAnsi(changed), lines));
}

void ShowRefusalHint(QWidget& field, const QRect& cursorRect, const QString& hint)
{
    QToolTip::showText(field.mapToGlobal(cursorRect.bottomLeft()), hint, &field, QRect(), HintMilliseconds);
}

TLineGuard::TLineGuard(QLineEdit& edit)
    : QValidator(&edit)
    , Before(edit.text())
{
    connect(&edit, &QLineEdit::textChanged, this, [this](const QString& text) { Before = text; });
    connect(&edit, &QLineEdit::inputRejected, this, [this, &edit] {
        if (!Hint.isEmpty())
            ShowRefusalHint(edit, edit.inputMethodQuery(Qt::ImCursorRectangle).toRect(), Hint);
    });
}

void TLineGuard::Guard(QLineEdit& edit)
{
    edit.setValidator(new TLineGuard(edit));
}

void TLineGuard::SetText(QLineEdit& edit, const QString& text)
{
    // With the text taken as the one before, the field validates it as no change at all;
    // refused, it would stay but leave the field unguarded until its next valid text.
    if (auto* guard = edit.findChild<TLineGuard*>(QString(), Qt::FindDirectChildrenOnly))
        guard->Before = text;
    edit.setText(text);
}

QValidator::State TLineGuard::validate(QString& input, int&) const
{
    Hint = RefusalHint(Before, input, TTextLines::One);
    return Hint.isEmpty() ? Acceptable : Invalid;
}
