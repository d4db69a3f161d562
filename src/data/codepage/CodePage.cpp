#include "data/codepage/CodePage.h"
