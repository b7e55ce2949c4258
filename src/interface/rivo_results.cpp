#include "parser/branch.h"
#include "rivo/rivo_network_parser.h"

namespace Velmora::Calculations::Dynamic {

std::int32_t RivoBranch::BranchNumber() const {
    return br->branchNumber;
}
std::int32_t RivoBranch::DownStreamBranchNumber() const {
    return br->outBranchNumber;
}
std::int32_t RivoBranch::DownStreamUpSectionNumber() const {
    return br->outUpSectionNumber;
}
std::int32_t RivoBranch::UpStreamBranchNumber() const {
    return br->inBranchNumber;
}
std::int32_t RivoBranch::UpStreamUpSectionNumber() const {
    return br->inUpSectionNumber;
}
std::int32_t RivoBranch::NumberOfNodes() const {
    return br->GetNumberOfNodes();
}
std::int32_t RivoBranch::NumberOfEdges() const {
    return br->GetNumberOfEdges();
}
std::int32_t RivoBranch::GetNodeID(std::int32_t index) const {
    return br->GetNodeID(index);
}
std::int32_t RivoBranch::GetEdgeID(std::int32_t index) const {
    return br->GetEdgeID(index);
}
std::int32_t RivoBranch::NumberOfSections() const {
    return br->GetNumberOfSections();
}
bool RivoBranch::IsStorageOutletBranch() const {
    return br->isStorageOutletBranch;
}
bool RivoBranch::IsSingleStorageNodeBranch() const {
    return br->isSingleStorageNodeBranch;
}

// Each reader answers the record's member of the same name.
#define RIVO_READER(type, name, Reader, ...) \
    type RivoPumpLink::Reader() const {      \
        return pumpLink->name;               \
    }
RIVO_PUMP_LINK_FIELDS(RIVO_READER)
#undef RIVO_READER

}  // namespace Velmora::Calculations::Dynamic
