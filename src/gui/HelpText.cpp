#include "HelpText.h"

#include <QStringList>

namespace qd::gui {

QString HelpText() {
    const QStringList paragraphs = {
        "This window may be resized for easier reading.",

        "Quorvel Dorvane scans a Word 'docx' file, a text file or the text on the clipboard "
        "and counts the occurrences of the different words in it. Text in most European "
        "languages is supported. The words found can be listed alphabetically or by frequency.",

        "The input file can have any extension, but it must be a docx file or consist only of "
        "text encoded as ANSI or UTF-8. Apart from a docx file it may not contain bytes with "
        "values below 32 other than tabs, line feeds, carriage returns and the like.",

        "The text in binary documents such as pdf files (docx files excepted) cannot be read "
        "from the file. Open the document in its own application, copy all its text to the "
        "clipboard, select 'clipboard' as the source and click 'Count words'.",

        "For input files with the extensions 'htm', 'html', 'shtml', 'xml' and 'php', text "
        "within HTML, XML and PHP tags is ignored.",

        "There is no limit on the size of an input text file, but the text box holds a limited "
        "amount of text (normally somewhat beyond 30,000 characters, so that only about 1000 to "
        "2000 words of a large file appear in the list). The text of a docx file is limited "
        "too, but docx files with over 1 MB of text are handled.",

        "The output can be written to a file, which can then be loaded into a spreadsheet.",

        "For large files with many different words an output file is best: the results are "
        "written to it before they are displayed, so they are available even when the text "
        "box cannot hold them all.",

        "Text may be composed in the text box. To count its words, first copy it to the "
        "clipboard.",

        "'Settings' lets you customise which words are counted. The values set there are saved "
        "on quitting when 'Save settings on quit' is ticked in that window, or at any time with "
        "'Save settings', and are then restored at the next start.",

        "After a count, 'Number of words ignored' counts the different words ignored after the "
        "count: words that were counted but are not listed, as Roman numerals and words below "
        "the frequency threshold. Words left out while counting (too short, too long, without "
        "a letter, repetitions, common words, words to ignore and the like) are not in that "
        "number. Point at the number to see both groups, rule by rule, and click 'Show words "
        "left out' to list every word left out in the text box with its frequency and the rule "
        "that left it out; the list of counted words comes back with the next count or a change "
        "of word order or display format.",

        "Common words of a language can be ignored (see the 'Settings' panel). Six files hold "
        "the common words of English, German, French, Italian, Spanish and Portuguese. You may "
        "add words to these files or remove words from them; the words need not be in "
        "alphabetical order or on separate lines.",
    };
    QString text;
    for (const QString& p : paragraphs)
        text += p + "\r\n\r\n";
    return text;
}

} // namespace qd::gui
