#include "aim/text/TranscriptText.h"
