#include "drive/device_io.h"
