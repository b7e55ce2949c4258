#pragma once

#include <cstdint>

// The codes a host passes as the type of a node (AddNode's nodeType) and of
// a link (AddEdge's edgeType). Any other value is kept as given and changes
// nothing in the parse.
namespace rivo {

namespace node_type {
inline constexpr std::int16_t kManhole = 0;
// Where water leaves the network; every branch drains to one.
inline constexpr std::int16_t kOutfall = 1;
// A storage node (SetNodeStorageType makes one too). One that cannot drain,
// or that water drops into, becomes an outlet of the network behind it.
inline constexpr std::int16_t kStorage = 2;
// Takes one computational section instead of two between two links of type
// link_type::kSingleSectionNeighbour (on a loop branch also kOrifice).
inline constexpr std::int16_t kSingleSection = 3;
// A pump node; a branch that starts at one takes one section there.
inline constexpr std::int16_t kPump = 4;
// A node inside a pump's pressure main; the parse gives it this type itself.
inline constexpr std::int16_t kPressureMain = 5;
}  // namespace node_type

namespace link_type {
inline constexpr std::int16_t kPipe = 0;
// Controls (kControl, kOrifice, kWeir, kOutlet) never become part of a
// branch tree: each is kept as a loop branch of its own.
inline constexpr std::int16_t kControl = 3;
// A link next to which a node of type node_type::kSingleSection takes one
// section.
inline constexpr std::int16_t kSingleSectionNeighbour = 4;
inline constexpr std::int16_t kOrifice = 5;
inline constexpr std::int16_t kWeir = 6;
// A link of a pump's pressure main; the parse gives the main's links this
// type itself.
inline constexpr std::int16_t kPressureMain = 7;
inline constexpr std::int16_t kOutlet = 8;

inline constexpr std::int16_t kSetAside[] = {kControl, kOrifice, kWeir, kOutlet};

inline constexpr bool IsSetAside(std::int16_t type) {
    return type == kControl || type == kOrifice || type == kWeir || type == kOutlet;
}
}  // namespace link_type

}  // namespace rivo
