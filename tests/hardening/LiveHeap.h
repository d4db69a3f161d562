#pragma once

#include <cstddef>

namespace brevanto::hardening {

// Bytes held through operator new at this moment, counted by the replacement operators in
// LiveHeap.cpp (linked only into the soak test). Only differences between two readings
// mean anything: the count starts somewhere during start-up.
long long LiveHeapBytes();

}  // namespace brevanto::hardening
