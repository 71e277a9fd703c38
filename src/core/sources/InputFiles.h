#pragma once
// The inputs of a count of several files: the files a folder holds, and the paths of several
// inputs written in one box.

#include "text/UString.h"

#include <vector>

namespace qd {

// A folder that could not be listed, and the system's description of why.
struct UnreadableFolder {
    ustring path;
    ustring cause;
};

struct FolderFiles {
    std::vector<ustring> files;               // in byte order of their path below the folder
    std::vector<UnreadableFolder> unreadable; // the folder itself or any below it, in byte order
};

// The countable files (IsCountableFile) under folder, at any depth. Symbolic links to folders
// are not followed; the file `excluded` names (the output file) is never among them. A
// folder that cannot be listed is told in unreadable, and the others are still searched.
FolderFiles CountableFilesUnder(ustring_view folder, ustring_view excluded);

// Several paths in one line, as the input-file box shows them: one path as it is, more each
// in double quotes, separated by a space.
ustring JoinInputList(const std::vector<ustring>& paths);

// The paths of such a line: a line that starts with a double quote holds quoted paths
// (blanks between them are ignored); any other line is one path. Blanks around a path go.
std::vector<ustring> SplitInputList(ustring_view line);

} // namespace qd
