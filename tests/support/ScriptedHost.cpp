#include "support/ScriptedHost.h"

namespace qd::test {

namespace {

// The next answer queued for question, if any.
template <class T>
std::optional<T> Next(std::map<Question, std::deque<T>>& queues, Question question) {
    const auto found = queues.find(question);
    if (found == queues.end() || found->second.empty()) return std::nullopt;
    T a = std::move(found->second.front());
    found->second.pop_front();
    return a;
}

} // namespace

void ScriptedHost::message(ustring_view text, ustring_view title, MsgIcon icon) {
    messages.push_back(
        {std::nullopt, ustring(text), ustring(title), icon, MsgButtons::Ok, Answer::Ok});
}

Answer ScriptedHost::ask(Question question, ustring_view text, ustring_view title, MsgIcon icon,
                         MsgButtons buttons, Answer defaultButton) {
    messages.push_back({question, ustring(text), ustring(title), icon, buttons, defaultButton});
    return Next(answers, question).value_or(defaultButton);
}

std::optional<ustring> ScriptedHost::prompt(Question question, ustring_view, ustring_view,
                                            ustring_view defaultValue) {
    prompts.push_back(question);
    if (auto a = Next(promptAnswers, question)) return *a;
    return ustring(defaultValue);
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
