#pragma once
// A host for tests: it records every message and prompt, answers from a script, and keeps
// the output box and labels as plain text so tests can read them.

#include "Host.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace qd::test {

struct ShownMessage {
    ustring text;
    ustring title;
    MsgIcon icon;
    MsgButtons buttons;
    Answer defaultButton;
};

class ScriptedHost : public Host {
public:
    // Answers for the next message boxes, in order; when empty, the default button answers.
    std::deque<Answer> answers;
    // Answers for the next prompts; std::nullopt cancels. When empty, the default value.
    std::deque<std::optional<ustring>> promptAnswers;
    // Answers for the next file dialogs; when empty, cancel.
    std::deque<ustring> fileAnswers;
    // Runs at every processEvents (for instance to request a stop mid-run).
    std::function<void()> onProcessEvents;

    std::vector<ShownMessage> messages;
    std::vector<ustring> prompts; // prompt titles
    int processEventsCalls = 0;
    int settingsChangedCalls = 0;

    ustring output;
    bool caretAtEnd = false;
    std::map<LabelId, ustring> labels;
    std::map<LabelId, bool> labelVisible;
    std::map<LabelId, LabelStyle> labelStyle;
    ustring dialogFolder;

    Answer message(ustring_view text, ustring_view title, MsgIcon icon, MsgButtons buttons,
                   Answer defaultButton) override;
    std::optional<ustring> prompt(ustring_view text, ustring_view title,
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
