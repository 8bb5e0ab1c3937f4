// The open and save dialogs' module: for now the file-type helper that the save paths share,
// which lives with the other path helpers.
#pragma once

#include "platform/PathHelpers.h"
