// The options dialog on real windows.
#include <gtest/gtest.h>
