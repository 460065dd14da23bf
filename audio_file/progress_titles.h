#pragma once
#include <string>

#include "common/progress.h"

// The title a progress dialog shows, and whether its cancel button works.
struct ProgressLook {
    std::string title;
    bool cancellable;
};
ProgressLook progressLook(ProgressKind kind);
