#include "output/ModDialog.h"
