#pragma once
#include "common/message.h"

// The kinds of long operation; each has its own title and cancel rule.
enum class ProgressKind : unsigned char { fileRead, fileWrite, fileWriteOverwrite, drawing, verify, conversion };

// Implemented by the shell with the progress dialog and its message pump,
// by tests with scripted answers. Everything runs on the one UI thread.
struct Progress {
    virtual ~Progress() = default;
    virtual void open(ProgressKind kind) = 0;
    virtual void close() = 0;
    virtual void step() = 0;        // advance the bar by one
    virtual bool takeCancel() = 0;  // read and clear the cancel flag
    virtual Answer ask(const Message& question) = 0;
    virtual void pump() = 0;  // serve pending window messages
};

// For loops nobody watches (tools, benchmarks): never cancels, answers No.
struct SilentProgress final : Progress {
    void open(ProgressKind) override {}
    void close() override {}
    void step() override {}
    bool takeCancel() override { return false; }
    Answer ask(const Message&) override { return Answer::no; }
    void pump() override {}
};
