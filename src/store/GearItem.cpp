#include "store/GearItem.h"

const char* GearItem::KindWord(GearKind kind) {
    switch (kind) {
    case GearKind::Shoes:
        return "shoes";
    case GearKind::Bike:
        return "bike";
    case GearKind::Other:
        break;
    }
    return "other";
}

bool GearItem::KindOf(const std::string& word, GearKind& kind) {
    for (const GearKind k : {GearKind::Shoes, GearKind::Bike, GearKind::Other}) {
        if (word == KindWord(k)) {
            kind = k;
            return true;
        }
    }
    return false;
}
