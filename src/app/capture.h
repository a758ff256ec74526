// The snapshot taken by the capture commands of the main window and the tray.
#pragma once

#include "platform/picture.h"

namespace mirel {

class Application;

enum class Snapshot { kActiveWindow, kDesktop };

// Gets the main window out of the way and takes the snapshot with GDI: the window that is
// active once the main window has gone, or the whole desktop. The snapshot is also left
// on the clipboard, as Print Screen would leave it. The main window stays hidden; the
// caller decides whether it comes back. An empty picture when nothing could be taken.
Picture TakeSnapshot(Application& app, Snapshot kind);

// The whole capture command: the main window out of the way, the snapshot, the main
// window back in front when `mainComesBack`, the preview modal, the band restored.
void CaptureIntoPreview(Application& app, Snapshot kind, bool mainComesBack);

}  // namespace mirel
