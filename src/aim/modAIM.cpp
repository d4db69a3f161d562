#include "aim/modAIM.h"
