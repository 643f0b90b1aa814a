// The one notification message of the skinned controls: posted to the owner with the command id.
#pragma once

#include "ui/ui.h"

constexpr UINT WM_SKINCOMMAND = WM_USER + 100;
