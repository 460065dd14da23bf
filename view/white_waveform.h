#pragma once
// The white waveform: per column the largest jump between neighbouring
// frames, on the 8-bit screen scale. Its maximum marks the sharpest click.
#include <cstdint>

#include "common/message.h"
#include "document/document.h"

// Computes b for columns 0 ... screenWidth - 2 of the current page into
// `values` (screenWidth entries; columns past the data are 0). Returns the
// number of columns computed.
int32_t whiteWaveformValues(const Document& doc, int32_t* values);
// Tracks whiteMaxColumn over computed values and, when centreOnMax is set,
// centres the page's zoom frame on it. During a descent it also counts maxima
// stuck at the right end; the fifth in a row gives `notice` its message
// (unless the automatic-operation dialog is shown, which reports it itself).
void finishWhitePass(Document& doc, const int32_t* values, int32_t done, Message* notice = nullptr,
                     bool automaticDialogShown = false, bool descending = false);
// Both, into `values`; a pass given a `notice` is one of a descent's.
int32_t whiteWaveformPass(Document& doc, int32_t* values, Message* notice = nullptr, bool automaticDialogShown = false);
// The same, keeping the values in doc.whiteWaveform (the descent and the
// manual end keep them; a paint never does).
inline int32_t keepWhiteWaveform(Document& doc, Message* notice = nullptr, bool automaticDialogShown = false) {
    return whiteWaveformPass(doc, doc.whiteWaveform.data(), notice, automaticDialogShown);
}
