#include "drive/win_ver.h"
