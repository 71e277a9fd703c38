#include "text/ErrorInfo.h"

#include <cerrno>
#include <cstring>

namespace qd {

ErrorInfo FileErrorInfo(int errnoValue) {
    switch (errnoValue) {
    case ENOENT:
        return {53, u"File not found"};
    case ENOSPC:
        return {61, u"Disk full"};
    case EACCES:
    case EPERM:
    case ETXTBSY:
        return {70, u"Permission denied"};
    // Not 70: no permission and no other program holding the file would let it be written.
    case EROFS:
        return {75, u"Path/File access error: " + FromUtf8(std::strerror(errnoValue))};
    case EISDIR:
        return {75, u"Path/File access error"};
    case ENAMETOOLONG:
        return {75, u"Path/File access error: " + FromUtf8(std::strerror(errnoValue))};
    case ENOTDIR:
        return {76, u"Path not found"};
    default:
        return {57, u"Device I/O error: " + FromUtf8(std::strerror(errnoValue))};
    }
}

} // namespace qd
