#include "ProgramText.h"

#include "QtText.h"
#include "RunState.h"

namespace qd::gui {

// STAND-IN until the program-text file is read by the core: the English texts the windows use.
QString ProgramText(const RunState&, int n) {
    switch (n) {
    case 1:
        return "Quorvel Dorvane counts how often each different word occurs in a text and lists "
               "the words by frequency or alphabetically.";
    case 27:
        return "The text box is full.";
    case 34:
        return "Error";
    case 50:
        return "Settings saved.";
    case 73:
        return "Count words";
    case 74:
        return "Stop";
    case 75:
        return "Do you wish to stop?";
    case 76:
        return "The words found and their frequencies are listed here.";
    case 310:
        return "Quorvel Dorvane";
    default:
        return {};
    }
}

} // namespace qd::gui
