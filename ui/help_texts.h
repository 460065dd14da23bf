#pragma once
// What the bar says: button captions (the string table), tooltips, the
// status-line help of buttons, controls and menu items.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/document.h"
#include "view/edit_session.h"

struct CaptionString {
    int id;
    std::string_view text;
};

// The string table, by ascending ID; resources/strings.rc is written from it.
extern const CaptionString kCaptionStrings[];
extern const size_t kCaptionStringCount;

// Empty for an ID the table does not hold.
std::string_view captionText(int stringId);

// The string a toolbar button's tooltip shows: command + 1000, or its
// shortening or page 3-5 form.
int tooltipStringId(int command, const Document& doc);
std::string_view tooltipText(int command, const Document& doc);
// The status-line help of a toolbar button: its help text, else its caption.
std::string buttonHelp(int command, const Document& doc, const EditSession& session);

// The pager 124 and the statics 114-119 (empty for other controls).
std::string_view controlTooltip(int control);
std::string controlHelp(int control, const Document& doc);

// The status-line help of a highlighted item of the edit window's menus;
// nothing to write for a separator. (The main window's: mainMenuHelp.)
std::optional<std::string_view> editMenuHelp(int item, bool separator);
