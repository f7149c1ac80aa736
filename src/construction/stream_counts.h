// stream_counts.h — the element counts of document images, checked against the bytes that remain.
#pragma once
#include <cstdint>

#include "common/spec_stream.h"

namespace qx {

// Reads a count of elements each at least minElementBytes long. A negative count, or one that the
// remaining bytes cannot hold, raises TqxfError before anything is allocated.
int32_t ReadStreamCount(TSpecStream& stream, int64_t minElementBytes);

}  // namespace qx
