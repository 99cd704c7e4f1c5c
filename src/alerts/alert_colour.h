#pragma once

// The colour-table row of a message of the given level: 0 inhibit, 1 high,
// 2 medium, 3 low alert. Any other level draws in the foreground colour.
int alertColourRow(int level);

// The forced row when it is 0 or more, else the row of the level.
int alertLineColourRow(int level, int forcedColourRow);
