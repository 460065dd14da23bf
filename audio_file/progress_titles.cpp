#include "audio_file/progress_titles.h"

#include "audio_file/messages.h"

ProgressLook progressLook(ProgressKind kind) {
    switch (kind) {
        case ProgressKind::fileRead: return {std::string(kProgressFileRead), true};
        case ProgressKind::fileWrite: return {std::string(kProgressFileWrite), true};
        case ProgressKind::fileWriteOverwrite:  // an overwrite cannot be undone half way
            return {std::string(kProgressFileWrite) + std::string(kProgressOverwriteNote), false};
        case ProgressKind::drawing: return {std::string(kProgressDrawing), false};
        case ProgressKind::verify: return {std::string(kProgressVerify), true};
        case ProgressKind::conversion: return {std::string(kProgressConversion), true};
    }
    return {std::string(), false};
}
