#include "settings/taskbar_theme.h"

namespace mirel {

bool TaskbarIsLight() {
  DWORD value = 0;
  DWORD size = sizeof value;
  // RRF_RT_REG_DWORD: a value of another type counts as missing.
  if (RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, kLightTaskbarValue, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return false;
  return value != 0;
}

}  // namespace mirel
