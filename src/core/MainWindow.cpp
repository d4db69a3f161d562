#include "core/MainWindow.h"
