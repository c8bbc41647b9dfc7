#include "store/IndexEntry.h"

#include "store/ByteOrder.h"

bool IndexEntry::Matches(DayType type) const {
    if (IsErased()) {
        return false;
    }
    switch (type) {
    case DayType::Training:
        return (flags & kTraining) != 0;
    case DayType::Competition:
        return (flags & kCompetition) != 0;
    case DayType::AllDays:
        return true;
    }
    return false;
}

void IndexEntry::ToBytes(unsigned char* out) const {
    byteorder::PutInt32(out, dateKey);
    byteorder::PutInt32(out + 4, slot);
    out[8] = flags;
}

IndexEntry IndexEntry::FromBytes(const unsigned char* in) {
    IndexEntry entry;
    entry.dateKey = byteorder::GetInt32(in);
    entry.slot = byteorder::GetInt32(in + 4);
    entry.flags = in[8];
    return entry;
}
