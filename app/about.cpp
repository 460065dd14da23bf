#include "app/about.h"

#include "app/exit_messages.h"
#include "common/text_format.h"

Message versionMessage() { return makeMessage(formatText(kVersionFormat, kVersion), kCaptionVersion); }

Message helpOpenFailedMessage() { return makeMessage(kHelpOpenFailed, kHelpWindowTitle); }
