#pragma once
// Band editing: the selected channel split into the band being edited and
// the band set aside in complementBand, which leaving adds back.
#include <cstdint>

#include "document/document.h"
#include "document/view_events.h"
#include "spectrum/transform.h"

// What a split needs besides the document: the band chosen (0-7 high band
// f8 ... f1, 8-15 low band) and the transform the block designs borrow from
// the spectrum.
struct BandSplit {
    const SpectrumTables& tables;
    TransformBuffers& buffers;
    int32_t index;
};

// Splits the selected channel of the whole page-2 stretch at the chosen
// cutoff, on true values, then applies the default gain. Nothing happens when
// already on, on page 1 or with an edit open.
void enterBandEditing(Document& doc, const BandSplit& split, ViewEvents& events);
// Adds the set-aside band back into the selected channel (no test: every
// recorded step was tested for saturation). Nothing happens when off.
void leaveBandEditing(Document& doc, ViewEvents& events);
// 1031: leaves band editing when on, else enters it.
void toggleBandEditing(Document& doc, const BandSplit& split, ViewEvents& events);
// 7011-7026: stores a different index and, when on, splits again at it.
// False when the index is the current one (or none): nothing changes.
bool changeBand(Document& doc, int32_t& bandIndex, int32_t newIndex, const SpectrumTables& tables,
                TransformBuffers& buffers, ViewEvents& events);
