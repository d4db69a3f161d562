#include "data/MessageTable.h"
