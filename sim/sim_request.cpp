#include "sim_request.h"

#include "wire.h"

namespace sim {

SimRequest parseRequest(QByteArrayView request)
{
    SimRequest out;
    qsizetype at = request.indexOf(wire::kFieldEnd);
    if (at < 0) {
        out.keyword = request.toByteArray();
        return out;
    }
    out.keyword = request.first(at).toByteArray();
    qsizetype start = at + 1;
    while ((at = request.sliced(start).indexOf(wire::kFieldEnd)) >= 0) {
        out.fields.append(request.sliced(start, at).toByteArray());
        start += at + 1;
    }
    out.tail = request.sliced(start).toByteArray();
    return out;
}

RequestFramer::Result RequestFramer::feed(QByteArrayView bytes)
{
    Result out;
    m_buf.append(bytes);
    const qsizetype endSize = wire::kRequestEnd.size();
    qsizetype start = 0;
    qsizetype from = m_scanFrom;
    for (;;) {
        const qsizetype end = m_buf.indexOf(wire::kRequestEnd, from);
        if (end < 0)
            break;
        if (end > start)
            out.requests.append(m_buf.mid(start, end - start));
        start = end + endSize;
        from = start;
    }
    m_buf.remove(0, start);
    // A terminator split over two reads starts at most two bytes before the end.
    m_scanFrom = qMax<qsizetype>(0, m_buf.size() - (endSize - 1));
    if (m_buf.size() > kMaxPending) {
        out.dropped = m_buf.size();
        m_buf.clear();
        m_scanFrom = 0;
    }
    return out;
}

} // namespace sim
