#pragma once
#define IDI_MIREL 1
