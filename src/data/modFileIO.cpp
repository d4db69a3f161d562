#include "data/modFileIO.h"
