#include "document/screen_width.h"

#include "resources/ids.h"

namespace {

struct Rescale {
    int32_t from, to, multiply, divide;
};
constexpr Rescale kRescales[] = {
    {960, 640, 2, 3}, {1280, 640, 1, 2}, {640, 960, 3, 2}, {1280, 960, 3, 4}, {640, 1280, 2, 1}, {960, 1280, 4, 3},
};

}  // namespace

int sizeItemForWidth(int32_t width) {
    if (width < 960) return IDM_WIDTH_640;
    if (width > 960) return IDM_WIDTH_1280;
    return IDM_WIDTH_960;
}

int32_t widthForSizeItem(int id) {
    switch (id) {
        case IDM_WIDTH_640: return 640;
        case IDM_WIDTH_960: return 960;
        case IDM_WIDTH_1280: return 1280;
    }
    return 0;
}

int32_t rescaleOverviewColumn(int32_t from, int32_t to, int32_t column) {
    for (const Rescale& r : kRescales)
        if (r.from == from && r.to == to) return column * r.multiply / r.divide;
    return column;
}
