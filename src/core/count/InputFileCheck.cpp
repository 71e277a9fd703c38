#include "count/InputFileCheck.h"

#include "count/RunState.h"
#include "text/Folders.h"
#include "text/Formatting.h"
#include "text/Host.h"
#include "text/ReplaceFile.h"

#include <filesystem>
#include <sys/stat.h>

namespace qd {

namespace {

void RememberFolder(Host& host, ustring_view path) {
    std::error_code ec;
    const auto folder = ToPath(path).parent_path();
    if (!folder.empty() && std::filesystem::is_directory(folder, ec))
        host.setDialogFolder(FromPath(folder));
}

} // namespace

bool CheckInputFile(RunState& state, ustring_view path) {
    if (path.empty()) return false;
    Host& host = state.host;
    // A folder, a pipe or a device has no length to vet: say what it is.
    struct stat info {};
    if (::stat(ToPath(path).c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        if (state.session.startUpCompleted)
            host.message(u"Input file is " + FromUtf8(SpecialFileKind(info.st_mode)) +
                             u", not a file.",
                         u"Not a file", MsgIcon::Exclamation);
        host.setLabel(LabelId::Filesize, u"");
        return false;
    }
    if (!FileExists(path)) {
        if (state.session.startUpCompleted) {
            state.settings.input.UTF8 = false;
            host.settingsChanged();
            host.message(u"Input file does not exist.", u"File not found", MsgIcon::Exclamation);
        } else {
            RememberFolder(host, path);
        }
        host.setLabel(LabelId::Filesize, u"");
        return false;
    }
    const int64_t size = FileLength(path);
    if (size <= 0 && state.session.startUpCompleted)
        host.message(u"Input file is zero-length.", u"Empty file", MsgIcon::Exclamation);
    host.setLabel(LabelId::Filesize, u"Filesize: " + FormatFileSize(double(size < 0 ? 0 : size), 2,
                                                                    state.numberFormat));
    RememberFolder(host, path);
    return size > 0;
}

} // namespace qd
