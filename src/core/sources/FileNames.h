#pragma once
// File-name tests on paths as the program holds them. Only extensions are ever lower-cased,
// for comparison; paths keep their case.

#include "text/UString.h"

namespace qd {

// The text after the last "." of the file name (the part after the last separator); empty
// when the name has no ".". Lower-cased when lower is true.
ustring FileExtension(ustring_view path, bool lower);

// True when the lower-cased extension is one the program treats as text: prn, csv, xhtml,
// xhtm, shtml, shtm, html, htm, xml, log, txt.
bool HasTextExtension(ustring_view path);

// True when a file found in a folder is one a count reads: a docx document, or text by an
// extension the program knows (txt, md, csv, html, xml, php, c, cpp, java, py and the like).
// The one list of what a folder count takes.
bool IsCountableFile(ustring_view path);

} // namespace qd
