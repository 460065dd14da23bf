#pragma once
// The size commands: which radio item a width checks, which width an item
// chooses, and how the overview column follows a width change.
#include <cstdint>

// 6016 below 960, 6018 above, else 6017.
int sizeItemForWidth(int32_t width);
// 640, 960 or 1280 for items 6016..6018; 0 for any other id.
int32_t widthForSizeItem(int id);
// The overview column at the new width, truncating: 960->640 x2/3,
// 1280->640 /2, 640->960 x3/2, 1280->960 x3/4, 640->1280 x2, 960->1280 x4/3.
// Unchanged for equal or unknown widths.
int32_t rescaleOverviewColumn(int32_t from, int32_t to, int32_t column);
