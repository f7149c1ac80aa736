// stream_counts.cpp — checked element counts of document images.
#include "construction/stream_counts.h"

#include "common/error.h"
#include "common/format.h"

namespace qx {

int32_t ReadStreamCount(TSpecStream& stream, int64_t minElementBytes) {
    const int32_t count = ReadInt(stream);
    if (count < 0 || (minElementBytes > 0 && count > stream.Remaining() / minElementBytes))
        throw TqxfError(Format("Неверное число элементов в потоке [%d]!", count));
    return count;
}

}  // namespace qx
