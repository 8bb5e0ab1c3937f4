// Kept so that older includes still find the path helpers, now in the platform layer.
#pragma once

#include "platform/PathHelpers.h"
