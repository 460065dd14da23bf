#include "document/edit_frame.h"

#include <utility>

void setEditFrameBytes(Document& doc) {
    ViewState& v = doc.view;
    if (v.editFrameLeft > v.editFrameRight) std::swap(v.editFrameLeft, v.editFrameRight);
    const uint32_t h = channelOffset(v, doc.edit);
    v.editFrameStart = columnOffset(v, doc.edit, v.editFrameLeft, v.page) + h;
    v.editFrameEnd = columnOffset(v, doc.edit, v.editFrameRight, v.page) + h;
    if (columnOffset(v, doc.edit, v.editFrameRight + 1, v.page) > doc.edit.dataEnd)
        v.editFrameEnd = doc.edit.dataEnd + h;
}
