#include "input/RunError.h"

#include <cerrno>
#include <cstring>

namespace qd {

RunError ErrorFromErrno(int errnum) {
    switch (errnum) {
    case 0:
        return {};
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
        return {kErrPermissionDenied, u"Permission denied"};
    case ENOENT:
    case ENOTDIR:
        return {kErrPathNotFound, u"Path not found"};
    case ENOSPC:
        return {61, u"Disk full"};
    case EIO:
        return {57, u"Device I/O error"};
    case EMFILE:
    case ENFILE:
        return {67, u"Too many files"};
    case ENOMEM:
        return {7, u"Out of memory"};
    default:
        return {75, u"Path/File access error (" + U(std::strerror(errnum)) + u")"};
    }
}

} // namespace qd
