#pragma once
// Test hooks of the desktop host: a test queues the answers of the next message boxes,
// prompts and file dialogs, and the real windows then run as if a person had answered.
// Every dialog the host would have shown is recorded with what it asked.

#include "Host.h"

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace qd::gui {

enum class DialogKind { Message, Prompt, OpenFile, SaveFile };

struct ShownDialog {
    DialogKind kind = DialogKind::Message;
    ustring text;
    ustring title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    Answer defaultButton = Answer::Ok;
    ustring filter;       // file dialogs
    ustring defaultValue; // prompts
    bool scripted = true; // false: no answer was queued and the default was taken
};

struct DialogScript {
    // While active, no real dialog is ever shown: a dialog without a queued answer takes its
    // default (the default button, the prompt's default value, a cancelled file dialog) and
    // is recorded as unscripted.
    bool active = false;

    // Asked first for every message box: an answer for a box it recognises (by its title,
    // say), or std::nullopt to leave the box to the queue below.
    std::function<std::optional<Answer>(const ShownDialog&)> responder;
    std::deque<Answer> answers;
    std::deque<std::optional<ustring>> promptAnswers; // std::nullopt cancels
    std::deque<ustring> fileAnswers;                  // an empty path cancels

    std::vector<ShownDialog> shown;

    void reset() { *this = DialogScript{}; }
    int unscriptedCount() const {
        int n = 0;
        for (const auto& d : shown)
            n += d.scripted ? 0 : 1;
        return n;
    }
};

// The one script of the process: tests set it up before the windows exist.
DialogScript& TestDialogScript();

} // namespace qd::gui
