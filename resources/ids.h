// Resource and control IDs, read by windres and by C++. #defines only.
#pragma once

// Icon
#define IDI_VELKOR 143

// Progress dialog and its bar; the cancel button is IDOK (1).
#define IDD_PROGRESS 207
#define IDC_PROGRESS_BAR 347

// Exit dialog; its buttons are IDOK "はい" (1) and IDCANCEL "いいえ" (2).
#define IDD_EXIT 208
#define IDC_EXIT_CHANGE_CHECK 348
#define IDC_EXIT_APPEND_N 349
