#pragma once
// A message the core hands to the shell: exact text, caption and the box's
// buttons. The shell only shows it (MessageBoxW) and reports the answer.
#include <string>
#include <string_view>

enum class Buttons : unsigned char { ok, yesNo, yesNoCancel };
enum class Icon : unsigned char { none, exclamation };
enum class Answer : unsigned char { ok, yes, no, cancel };

struct Message {
    std::string text;     // UTF-8, exactly as the user reads it
    std::string caption;  // UTF-8
    Buttons buttons = Buttons::ok;
    Icon icon = Icon::none;
    bool foreground = false;  // MB_SETFOREGROUND
    bool topmost = false;     // MB_TOPMOST
    bool empty() const { return text.empty() && caption.empty(); }
};

enum class Outcome : unsigned char { done, refused, cancelled };

struct [[nodiscard]] Status {
    Outcome outcome = Outcome::done;
    Message message;  // empty: nothing to show
    bool ok() const { return outcome == Outcome::done; }
};

Message makeMessage(std::string_view text, std::string_view caption, Buttons buttons = Buttons::ok);
Message foregroundMessage(std::string_view text, std::string_view caption);
Status refused(Message message);
Status refused(std::string_view text, std::string_view caption);
Status cancelled();
Status doneWith(Message notice);
