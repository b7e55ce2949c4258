// The C interface: handles, messages, describing the network and the parse.

#include <cstddef>
#include <new>

#include "interface/c_handle.h"

using rivo::c_interface::Guard;
using rivo::c_interface::HandleParser;
using rivo::c_interface::In;
using rivo::c_interface::Out;

namespace rivo::c_interface {

namespace {

// Longer than any message the parser raises, so that recording one needs no
// memory; a longer text would still be kept, with an allocation.
constexpr std::size_t kReservedMessage = 512;

// Appends code point `c` to the two encodings; characters that are no code
// point (lone surrogates of a 16-bit wchar_t) pass through as they are.
void Append(std::string& utf8, std::u16string& utf16, char32_t c) {
    if (c < 0x80) {
        utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
        utf8 += static_cast<char>(0xC0 | (c >> 6));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (c >> 12));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (c >> 18));
        utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
    if (c < 0x10000) {
        utf16 += static_cast<char16_t>(c);
    } else {
        utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
        utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

// The next code point of a wide text: wchar_t is UTF-32 on ELF platforms and
// UTF-16 on Windows, where a surrogate pair makes one code point.
char32_t Next(std::wstring_view text, std::size_t& i) {
    auto c = static_cast<char32_t>(text[i++]);
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0xD800 && c < 0xDC00 && i < text.size()) {
            auto low = static_cast<char32_t>(text[i]);
            if (low >= 0xDC00 && low < 0xE000) {
                ++i;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    return c;
}

}  // namespace

LastError::LastError() {
    utf8_.reserve(kReservedMessage * 4);
    utf16_.reserve(kReservedMessage * 2);
}

void LastError::Clear() noexcept {
    utf8_.clear();
    utf16_.clear();
}

rivo_hresult LastError::Set(rivo_hresult hr, std::wstring_view message) noexcept {
    Clear();
    try {
        for (std::size_t i = 0; i < message.size();) {
            Append(utf8_, utf16_, Next(message, i));
        }
    } catch (...) {
        Clear();  // the code still tells what failed
    }
    return hr;
}

}  // namespace rivo::c_interface

extern "C" {

rivo_hresult rivo_parser_create(rivo_parser** parser) {
    if (parser == nullptr) {
        return RIVO_E_POINTER;
    }
    *parser = nullptr;
    try {
        *parser = new rivo_parser();
        return RIVO_S_OK;
    } catch (const CKtHRException& e) {
        return e.hr;
    } catch (...) {
        return RIVO_E_OUTOFMEMORY;
    }
}

void rivo_parser_release(rivo_parser* parser) {
    delete parser;
}

const char* rivo_last_error_message(const rivo_parser* parser) {
    return parser == nullptr ? "" : parser->error.Utf8();
}

const uint16_t* rivo_last_error_message_utf16(const rivo_parser* parser) {
    static const std::uint16_t empty[1] = {0};
    return parser == nullptr ? empty : parser->error.Utf16();
}

rivo_hresult rivo_add_node(rivo_parser* parser, int32_t nodeID, double xPosition, double yPosition,
                           int16_t nodeType) {
    return Guard(parser,
                 [&](HandleParser& p) { p.AddNode(nodeID, xPosition, yPosition, nodeType); });
}

rivo_hresult rivo_set_node_is_pond_type(rivo_parser* parser, int32_t nodeID, int32_t isPond) {
    return Guard(parser, [&](HandleParser& p) { p.SetNodeIsPondType(nodeID, isPond != 0); });
}

rivo_hresult rivo_add_edge(rivo_parser* parser, int32_t edgeID, int32_t sourceNodeID,
                           double elevationInSource, int32_t targetNodeID, double elevationInTarget,
                           double size, int16_t edgeType, double length) {
    return Guard(parser, [&](HandleParser& p) {
        p.AddEdge(edgeID, sourceNodeID, elevationInSource, targetNodeID, elevationInTarget, size,
                  edgeType, length);
    });
}

rivo_hresult rivo_add_edge_default_length(rivo_parser* parser, int32_t edgeID, int32_t sourceNodeID,
                                          double elevationInSource, int32_t targetNodeID,
                                          double elevationInTarget, double size, int16_t edgeType) {
    return Guard(parser, [&](HandleParser& p) {
        p.AddEdge(edgeID, sourceNodeID, elevationInSource, targetNodeID, elevationInTarget, size,
                  edgeType);
    });
}

rivo_hresult rivo_add_pump_link(rivo_parser* parser, int32_t pumpID, int32_t upStreamNodeID,
                                int32_t downStreamNodeID) {
    return Guard(parser,
                 [&](HandleParser& p) { p.AddPumpLink(pumpID, upStreamNodeID, downStreamNodeID); });
}

rivo_hresult rivo_set_node_storage_type(rivo_parser* parser, int32_t nodeId) {
    return Guard(parser, [&](HandleParser& p) { p.SetNodeStorageType(nodeId); });
}

rivo_hresult rivo_add_gutter_link_id_direction(rivo_parser* parser, int32_t gutterID,
                                               int32_t gutterDirectionSameAsUI) {
    return Guard(parser, [&](HandleParser& p) {
        p.AddGutterLinkIDDirection(gutterID, gutterDirectionSameAsUI != 0);
    });
}

// The bulk forms count what they added as they go, so that after a failure
// *added tells the host which element the parser refused.
rivo_hresult rivo_add_nodes(rivo_parser* parser, int32_t count, const int32_t* nodeIDs,
                            const double* xPositions, const double* yPositions,
                            const int16_t* nodeTypes, int32_t* added) {
    int32_t done = 0;
    rivo_hresult hr = Guard(parser, [&](HandleParser& p) {
        In(nodeIDs, count), In(xPositions, count), In(yPositions, count), In(nodeTypes, count);
        for (; done < count; ++done) {
            p.AddNode(nodeIDs[done], xPositions[done], yPositions[done], nodeTypes[done]);
        }
    });
    if (added != nullptr) {
        *added = done;
    }
    return hr;
}

rivo_hresult rivo_add_edges(rivo_parser* parser, int32_t count, const int32_t* edgeIDs,
                            const int32_t* sourceNodeIDs, const double* elevationsInSource,
                            const int32_t* targetNodeIDs, const double* elevationsInTarget,
                            const double* sizes, const int16_t* edgeTypes, const double* lengths,
                            int32_t* added) {
    int32_t done = 0;
    rivo_hresult hr = Guard(parser, [&](HandleParser& p) {
        In(edgeIDs, count), In(sourceNodeIDs, count), In(elevationsInSource, count);
        In(targetNodeIDs, count), In(elevationsInTarget, count), In(sizes, count);
        In(edgeTypes, count);
        for (; done < count; ++done) {
            const int32_t i = done;
            if (lengths != nullptr) {
                p.AddEdge(edgeIDs[i], sourceNodeIDs[i], elevationsInSource[i], targetNodeIDs[i],
                          elevationsInTarget[i], sizes[i], edgeTypes[i], lengths[i]);
            } else {
                p.AddEdge(edgeIDs[i], sourceNodeIDs[i], elevationsInSource[i], targetNodeIDs[i],
                          elevationsInTarget[i], sizes[i], edgeTypes[i]);
            }
        }
    });
    if (added != nullptr) {
        *added = done;
    }
    return hr;
}

rivo_hresult rivo_add_pump_links(rivo_parser* parser, int32_t count, const int32_t* pumpIDs,
                                 const int32_t* upStreamNodeIDs, const int32_t* downStreamNodeIDs,
                                 int32_t* added) {
    int32_t done = 0;
    rivo_hresult hr = Guard(parser, [&](HandleParser& p) {
        In(pumpIDs, count), In(upStreamNodeIDs, count), In(downStreamNodeIDs, count);
        for (; done < count; ++done) {
            p.AddPumpLink(pumpIDs[done], upStreamNodeIDs[done], downStreamNodeIDs[done]);
        }
    });
    if (added != nullptr) {
        *added = done;
    }
    return hr;
}

rivo_hresult rivo_parse_network(rivo_parser* parser, int32_t findLongestBranch, int32_t* result) {
    return rivo::c_interface::Answer(
        parser, result, [&](HandleParser& p) { return p.ParseNetwork(findLongestBranch != 0); });
}

}  // extern "C"
