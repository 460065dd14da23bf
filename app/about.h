#pragma once
// The version box and the help file's failure message.
#include "common/message.h"

Message versionMessage();
Message helpOpenFailedMessage();
