#pragma once
#include "document/document.h"

// Orders the edit frame's columns and computes its byte range (channel
// offset included; a frame ending in the last data column ends at data end).
void setEditFrameBytes(Document& doc);
