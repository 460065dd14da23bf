#include "common/message.h"

Message makeMessage(std::string_view text, std::string_view caption, Buttons buttons) {
    Message m;
    m.text = std::string(text);
    m.caption = std::string(caption);
    m.buttons = buttons;
    return m;
}

Message foregroundMessage(std::string_view text, std::string_view caption) {
    Message m = makeMessage(text, caption);
    m.foreground = true;
    return m;
}

Status refused(Message message) {
    Status s;
    s.outcome = Outcome::refused;
    s.message = std::move(message);
    return s;
}

Status refused(std::string_view text, std::string_view caption) { return refused(makeMessage(text, caption)); }

Status cancelled() {
    Status s;
    s.outcome = Outcome::cancelled;
    return s;
}

Status doneWith(Message notice) {
    Status s;
    s.message = std::move(notice);
    return s;
}
