// Kept for the callers outside the controls that still include it by this name.
#pragma once

#include "platform/HitRect.h"
