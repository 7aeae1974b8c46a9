#include "NewDataRepeats.h"

#include <algorithm>

namespace {
constexpr int kCopies = 3;
} // namespace

void NewDataRepeats::Sent(bool fresh, TimePoint now)
{
    m_owed = fresh ? kCopies - 1 : std::max(m_owed - 1, 0);
    m_lastSent = now;
}

bool NewDataRepeats::Due(TimePoint now)
{
    if (m_owed == 0 || now - m_lastSent < kGap)
        return false;
    Sent(false, now);
    return true;
}
