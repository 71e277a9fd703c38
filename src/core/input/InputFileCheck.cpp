#include "input/InputFileCheck.h"

#include "Host.h"
#include "RunState.h"
#include "support/Folders.h"
#include "support/Formatting.h"

namespace qd {

namespace {

void MakeFolderCurrent(Host& host, ustring_view path) {
    const ustring folder = FromPath(ToPath(path).parent_path());
    if (IsDirectory(folder)) host.setCurrentFolder(folder);
}

} // namespace

bool CheckInputFile(RunState& run, ustring_view path) {
    Host& host = run.host;
    if (path.empty()) return false;
    if (!FileExists(path)) {
        if (run.blnStartUpCompleted) {
            run.settings.UTF8 = false;
            host.settingsChanged();
            host.message(u"Input file does not exist.", u"File not found", MsgIcon::Exclamation);
        } else {
            MakeFolderCurrent(host, path);
        }
        host.setLabel(LabelId::Filesize, u"");
        return false;
    }
    const int64_t size = FileLength(path);
    if (size <= 0) {
        if (run.blnStartUpCompleted)
            host.message(u"Input file is zero-length.", u"Empty file", MsgIcon::Exclamation);
        host.setLabel(LabelId::Filesize, u"Filesize: 0 bytes");
        return false;
    }
    host.setLabel(LabelId::Filesize, u"Filesize: " + FormatFileSize(double(size), 2));
    MakeFolderCurrent(host, path);
    return true;
}

} // namespace qd
