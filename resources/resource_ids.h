#pragma once
#define IDI_MIREL 1
// The notification-area icon, in one version for each taskbar colour.
#define IDI_TRAY_LIGHT_TASKBAR 2
#define IDI_TRAY_DARK_TASKBAR 3
