#pragma once
// What export and import share about a grid's selection.
class TCustomDBGridGx;
class TColumnsGxList;

// Adds the visible columns whose index in Grid's Columns lies between First and Last,
// inclusive, in index order.
void VisibleColumnsBetween(TCustomDBGridGx* Grid, int First, int Last, TColumnsGxList& List);
