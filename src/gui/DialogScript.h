#pragma once
// Test hooks of the desktop host: a test answers the questions by what they ask and queues
// the answers of the next file dialogs, and the real windows then run as if a person had
// answered. Every dialog the host would have shown is recorded with what it asked.

#include "text/Host.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

class QWidget;

namespace qd::gui {

enum class DialogKind { Message, Prompt, OpenFile, SaveFile, OpenFiles, OpenFolder };

struct ShownDialog {
    DialogKind kind = DialogKind::Message;
    std::optional<Question> question; // none for a notice and a file dialog
    ustring text;
    ustring title;
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::Ok;
    Answer defaultButton = Answer::Ok;
    ustring filter;       // file dialogs
    ustring defaultValue; // prompts
    bool scripted = true; // false: a question nobody answered, or a file dialog nobody
                          // queued a path for, took its default
    // The window the dialog belongs to, which it stays above.
    const QWidget* owner = nullptr;
};

struct DialogScript {
    // While active, no real dialog is ever shown: a question nobody answers takes its default
    // (the default button, the prompt's default value), a file dialog without a queued path
    // is cancelled, and either is recorded as unscripted. Notices need no answer.
    bool active = false;

    // Asked for every question of a message box: its answer (by shown.question), or
    // std::nullopt for the default button.
    std::function<std::optional<Answer>(const ShownDialog&)> responder;
    // The answer of each prompt, by its question; std::nullopt cancels.
    std::map<Question, std::optional<ustring>> promptAnswers;
    // An empty path cancels; the files of a dialog choosing several are separated by
    // line feeds.
    std::deque<ustring> fileAnswers;

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
