#pragma once
// A host for tests: it records every message and prompt, answers each question from a script
// by what it asks, and keeps the output box and labels as plain text so tests can read them.

#include "text/Host.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qd::test {

struct ShownMessage {
    std::optional<Question> question; // none for a notice
    ustring text;
    ustring title;
    MsgIcon icon;
    MsgButtons buttons;
    Answer defaultButton;
};

class ScriptedHost : public Host {
public:
    // The answers of each question, in the order it is asked; when none is left, the default
    // button answers.
    std::map<Question, std::deque<Answer>> answers;
    // The answers of each prompt, in order; std::nullopt cancels. When none is left, the
    // default value.
    std::map<Question, std::deque<std::optional<ustring>>> promptAnswers;
    // Answers for the next file dialogs; when empty, cancel.
    std::deque<ustring> fileAnswers;
    // Runs at every processEvents (for instance to request a stop mid-run).
    std::function<void()> onProcessEvents;

    std::vector<ShownMessage> messages; // notices and questions
    std::vector<Question> prompts;
    int processEventsCalls = 0;
    int settingsChangedCalls = 0;

    ustring output;
    bool caretAtEnd = false;
    std::map<LabelId, ustring> labels;
    std::map<LabelId, bool> labelVisible;
    std::map<LabelId, LabelStyle> labelStyle;
    ustring dialogFolder;

    void message(ustring_view text, ustring_view title, MsgIcon icon) override;
    Answer ask(Question question, ustring_view text, ustring_view title, MsgIcon icon,
               MsgButtons buttons, Answer defaultButton) override;
    std::optional<ustring> prompt(Question question, ustring_view text, ustring_view title,
                                  ustring_view defaultValue) override;
    ustring chooseOpenFile(ustring_view title, ustring_view filter,
                           ustring_view startPath) override;
    ustring chooseSaveFile(ustring_view title, ustring_view filter,
                           ustring_view startPath) override;
    void processEvents() override;
    ustring outputText() const override { return output; }
    size_t outputLength() const override { return output.size(); }
    void setOutputText(ustring_view text) override { output = ustring(text); }
    void appendOutputText(ustring_view text) override { output += text; }
    void setOutputCaret(bool atEnd) override { caretAtEnd = atEnd; }
    void setLabel(LabelId label, ustring_view caption) override {
        labels[label] = ustring(caption);
    }
    void setLabelVisible(LabelId label, bool visible) override { labelVisible[label] = visible; }
    void setLabelStyle(LabelId label, LabelStyle style) override { labelStyle[label] = style; }
    void repaint() override {}
    void setDialogFolder(ustring_view folder) override { dialogFolder = ustring(folder); }
    void settingsChanged() override { ++settingsChangedCalls; }

    // The last message's text as UTF-8, or "" when none was shown.
    std::string lastMessage() const;
    std::string outputUtf8() const;
};

} // namespace qd::test
