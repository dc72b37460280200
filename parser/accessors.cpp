#include "scpi_internal.h"
