#include "support/ScriptedHost.h"

namespace qd::test {

Answer ScriptedHost::message(ustring_view text, ustring_view title, MsgIcon icon,
                             MsgButtons buttons, Answer defaultButton) {
    messages.push_back({ustring(text), ustring(title), icon, buttons, defaultButton});
    if (answers.empty()) return defaultButton;
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<ustring> ScriptedHost::prompt(ustring_view, ustring_view title,
                                            ustring_view defaultValue) {
    prompts.emplace_back(title);
    if (promptAnswers.empty()) return ustring(defaultValue);
    auto a = promptAnswers.front();
    promptAnswers.pop_front();
    return a;
}

ustring ScriptedHost::chooseOpenFile(ustring_view, ustring_view, ustring_view) {
    if (fileAnswers.empty()) return {};
    ustring a = fileAnswers.front();
    fileAnswers.pop_front();
    return a;
}

ustring ScriptedHost::chooseSaveFile(ustring_view title, ustring_view filter,
                                     ustring_view startPath) {
    return chooseOpenFile(title, filter, startPath);
}

void ScriptedHost::processEvents() {
    ++processEventsCalls;
    if (onProcessEvents) onProcessEvents();
}

std::string ScriptedHost::lastMessage() const {
    return messages.empty() ? std::string() : ToUtf8(messages.back().text);
}

std::string ScriptedHost::outputUtf8() const {
    return ToUtf8(output);
}

} // namespace qd::test
