#pragma once
// Fitting a tree's first column to its widest shown row without measuring every row: shaping
// the text of each of a large planner's names took most of the tree's rebuild.

class QTreeWidget;

// Gives the first column the width of its widest shown row, as resizeColumnToContents() would
// measure it, for any number of rows. Every row's text width is first bounded from above by
// the sum of its characters' advances; rows are then measured in the order of their bounds
// until no bound left can reach the widest width measured.
void FitFirstColumn(QTreeWidget& tree);
