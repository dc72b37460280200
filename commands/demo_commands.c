#include "scpi_table.h"
