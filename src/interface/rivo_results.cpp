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

std::int32_t RivoPumpLink::UpStreamNodeID() const {
    return pumpLink->GetUpStreamNodeID();
}
std::int32_t RivoPumpLink::DownStreamNodeID() const {
    return pumpLink->GetDownStreamNodeID();
}
std::int32_t RivoPumpLink::UpStreamBranchNumber() const {
    return pumpLink->GetUpStreamBranchNumber();
}
std::int32_t RivoPumpLink::DownStreamBranchNumber() const {
    return pumpLink->GetDownStreamBranchNumber();
}
std::int32_t RivoPumpLink::UpStreamNodeUpSectionNumber() const {
    return pumpLink->GetUpStreamNodeUpSectionNumber();
}
std::int32_t RivoPumpLink::DownStreamNodeUpSectionNumber() const {
    return pumpLink->GetDownStreamNodeUpSectionNumber();
}
std::int32_t RivoPumpLink::PumpLinkID() const {
    return pumpLink->GetPumpLinkID();
}

}  // namespace Velmora::Calculations::Dynamic
