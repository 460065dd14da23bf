#pragma once
// The white waveform: per column the largest jump between neighbouring
// frames, on the 8-bit screen scale. Its maximum marks the sharpest click.
#include <cstdint>

#include "app/document.h"

// Computes b for columns 0 ... screenWidth - 2 of the current page into
// `values` (screenWidth entries; columns past the data are 0), updates
// whiteMaxColumn and, when centreOnMax is set, centres the page's zoom frame
// on it. Returns the number of columns computed.
int32_t whiteWaveformPass(Document& doc, int32_t* values);
// The same, keeping the values in doc.whiteWaveform.
inline int32_t keepWhiteWaveform(Document& doc) { return whiteWaveformPass(doc, doc.whiteWaveform.data()); }
