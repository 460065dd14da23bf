#pragma once
// A progress that records what the operation did and presses cancel on cue.
#include <string>
#include <vector>

#include "common/progress.h"

struct ScriptedProgress final : Progress {
    int cancelAtStep = -1;       // the cancel button is pressed after this step
    int cancelAtLook = -1;       // ... or before this look at it (1: the first)
    Answer answer = Answer::no;  // what the user answers
    int steps = 0, opens = 0, closes = 0, pumps = 0, looks = 0;
    ProgressKind kind = ProgressKind::fileRead;
    std::vector<Message> questions;

    void open(ProgressKind k) override {
        kind = k;
        ++opens;
    }
    void close() override { ++closes; }
    void step() override { ++steps; }
    bool takeCancel() override {
        ++looks;
        return steps == cancelAtStep || looks == cancelAtLook;
    }
    Answer ask(const Message& q) override {
        questions.push_back(q);
        return answer;
    }
    void pump() override { ++pumps; }
};
