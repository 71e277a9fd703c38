#pragma once
// How an input file looks to the program before it is counted. The codes are the program's
// own and appear in its results; the negative ones are refusals.

namespace qd {

// What IsTextFile makes of a file.
enum class FileKind : int {
    CannotOpen = -9,       // any opening error other than permission denied
    ReadError = -6,        // an error other than permission denied while the bytes are read
    EmptyPath = -5,        // the path is empty
    TooShort = -4,         // 1 to 4 bytes
    PermissionDenied = -3, //
    Empty = -2,            // zero-length
    NotFound = -1,         //
    NotText = 0,           // too many control bytes
    Text = 1,              // CR LF line ends, no line ends, or UTF-8
    TextLf = 2,            // LF-only line ends
    TextCr = 3,            // CR-only line ends
    Rtf = 6,               //
    Unicode = 7,           // UTF-16 or UTF-32
};

// What ClassifyFileStart finds in the first bytes: the refusals it shares with FileKind
// (negative codes, same values), or one of these.
enum class FileStart : int {
    CannotOpen = -9,
    EmptyPath = -5,
    TooShort = -4,
    PermissionDenied = -3,
    Empty = -2,
    NotFound = -1,
    Unknown = 0, // nothing recognised: the byte scan decides
    Utf16Le = 1,
    Utf16Be = 2,
    Utf8 = 3,
    Utf32Be = 5,
    Rtf = 6,
};

constexpr int Code(FileKind kind) {
    return static_cast<int>(kind);
}
constexpr int Code(FileStart start) {
    return static_cast<int>(start);
}

} // namespace qd
