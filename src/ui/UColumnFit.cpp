#include "ui/UColumnFit.h"

#include <QFontMetricsF>
#include <QHash>
#include <QHeaderView>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct TShownRow {
    QModelIndex Index;
    int Indent = 0;
    double Bound = 0; // the row's widest possible text, with its indentation
};

// The advances of single characters: shaping can only bring pairs closer (kerning), so their
// sum bounds the shaped text's width; the pixel added covers rounding. Each character is
// measured when first met: one missing from the font sends Qt looking through fallbacks.
class TAdvances {
public:
    explicit TAdvances(const QFont& font)
        : Metrics(font)
    {
        Latin1.fill(-1);
    }

    double TextWidth(const QString& text) const { return Metrics.horizontalAdvance(text); }

    double TextBound(const QString& text)
    {
        double width = 1;
        for (const QChar c : text)
            width += Advance(c);
        return width;
    }

private:
    double Advance(QChar c)
    {
        if (c.unicode() < Latin1.size()) {
            double& known = Latin1[c.unicode()];
            if (known < 0)
                known = Metrics.horizontalAdvance(c);
            return known;
        }
        const auto known = Others.constFind(c.unicode());
        if (known != Others.cend())
            return *known;
        return *Others.insert(c.unicode(), Metrics.horizontalAdvance(c));
    }

    QFontMetricsF Metrics;
    std::array<double, 256> Latin1{};
    QHash<char16_t, double> Others; // the Windows-1252 letters and signs above Latin-1
};

// The rows the view shows: not hidden, and under open parents only.
void CollectShownRows(const QTreeWidget& tree, QTreeWidgetItem* item, const QModelIndex& index, int level,
                      TAdvances& advances, std::vector<TShownRow>& rows)
{
    if (item->isHidden())
        return;
    const int indent = tree.indentation() * (level + (tree.rootIsDecorated() ? 1 : 0));
    rows.push_back({index, indent, indent + advances.TextBound(item->text(0))});
    if (!item->isExpanded())
        return;
    for (int child = 0; child < item->childCount(); ++child)
        CollectShownRows(tree, item->child(child), tree.model()->index(child, 0, index), level + 1, advances, rows);
}

} // namespace

void FitFirstColumn(QTreeWidget& tree)
{
    TAdvances advances(tree.font());
    std::vector<TShownRow> rows;
    rows.reserve(static_cast<std::size_t>(tree.topLevelItemCount()));
    for (int top = 0; top < tree.topLevelItemCount(); ++top)
        CollectShownRows(tree, tree.topLevelItem(top), tree.model()->index(top, 0), 0, advances, rows);
    std::sort(rows.begin(), rows.end(), [](const TShownRow& a, const TShownRow& b) { return a.Bound > b.Bound; });

    // What a row adds beyond its text (icon, margins) is the same for every row, so a row
    // whose bound with it stays below the widest width measured cannot be the widest.
    int widest = 0;
    double beyondText = 0;
    for (const TShownRow& row : rows) {
        if (widest > 0 && row.Bound + beyondText < widest)
            break;
        const int width = tree.sizeHintForIndex(row.Index).width() + row.Indent;
        widest = std::max(widest, width);
        // The pixel covers the view's rounding of the text's width.
        beyondText = std::max(beyondText, width - row.Indent - advances.TextWidth(row.Index.data().toString()) + 1);
    }
    tree.header()->resizeSection(0, widest);
}
