#pragma once
#include <windows.h>

#include "common/message.h"

// Shows a core message with MessageBoxW and the flags it asks for.
Answer showMessage(HWND owner, const Message& message);
