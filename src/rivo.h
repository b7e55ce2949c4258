#pragma once

// The host-facing API: the parser, its interfaces and the errors it raises.
#include "interface/network_interfaces.h"
#include "interface/rivo_bulk_results.h"
#include "interface/rivo_network_parser.h"
#include "support/error_texts.h"
#include "support/hresult.h"
#include "support/kt_exception.h"
#include "support/kt_string.h"
#include "version.h"
