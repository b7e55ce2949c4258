#include "parser/outlet_order.h"

#include <algorithm>
#include <cmath>

#include "support/exchange_sort.h"

namespace {

// Whether outlet a must be exchanged with the outlet b after it.
bool Exchange(const OutletKey& a, const OutletKey& b) {
    return a.converted || (!b.converted && b.lowest <= a.lowest);
}

bool RealLowestEndsDiffer(const std::vector<OutletKey>& keys) {
    std::vector<double> lows;
    for (const OutletKey& k : keys) {
        if (!k.converted) {
            if (std::isnan(k.lowest)) {
                return false;
            }
            lows.push_back(k.lowest);
        }
    }
    std::sort(lows.begin(), lows.end());
    return std::adjacent_find(lows.begin(), lows.end()) == lows.end();
}

}  // namespace

// Each pass carries the first converted storage node it meets to the end of
// its prefix, past everything after it, so the converted ones end last in the
// reverse of their order. The real outfalls then have as many passes left as
// a full exchange sort of them needs; where no two share a lowest end, that
// sorts them rising, and a stable sort gives the same order in n log n.
// Equal ends are exchanged back and forth pass by pass, so there the passes
// themselves decide.
void SortOutletKeys(std::vector<OutletKey>& keys) {
    if (keys.size() < 2) {
        return;
    }
    if (!RealLowestEndsDiffer(keys)) {
        ExchangeSort(keys, Exchange);
        return;
    }
    std::vector<OutletKey> converted;
    std::vector<OutletKey> real;
    for (const OutletKey& k : keys) {
        (k.converted ? converted : real).push_back(k);
    }
    std::sort(real.begin(), real.end(),
              [](const OutletKey& a, const OutletKey& b) { return a.lowest < b.lowest; });
    keys = std::move(real);
    keys.insert(keys.end(), converted.rbegin(), converted.rend());
}
