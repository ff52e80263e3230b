// The desktop portal's file chooser (org.freedesktop.portal.FileChooser over
// the session bus): the dialog of the running desktop, Wayland included.
#pragma once

#include <string>
#include <vector>

#include "media/desktop/native/file_dialog_filter.h"

namespace media_internal {

enum class DialogOutcome { Chosen, Cancelled, Unavailable };

struct PortalRequest {
    std::string title;
    std::vector<FileTypeGroup> groups;
    bool save = false;
    std::string folder;     // absolute; honoured by portals of version 4 and later
    unsigned long xid = 0;  // parent window, 0 for none
    int minimumVersion = 0; // refuse older portals (reported as Unavailable)
};

// Unavailable when there is no session bus, no portal, a portal older than
// asked for, or the request could not be made; the caller then tries other
// dialogs. Once the dialog was up, any ending without a file is Cancelled.
DialogOutcome AskPortal(const PortalRequest& request, std::string& chosen);

// Path of a "file://" URI (percent-decoded), or "" for any other URI.
std::string PathFromFileUri(const std::string& uri);

} // namespace media_internal
