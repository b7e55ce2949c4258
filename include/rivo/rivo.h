#pragma once

// Everything a host of the library includes: the parser and its interfaces,
// the bulk reading of results, the errors it raises, the type codes a host
// passes, the platform types and the version.
#include "rivo/bulk_answers.h"
#include "rivo/error_info.h"
#include "rivo/export.h"
#include "rivo/kt_exception.h"
#include "rivo/kt_string.h"
#include "rivo/network_interfaces.h"
#include "rivo/platform.h"
#include "rivo/rivo_bulk_results.h"
#include "rivo/rivo_network_parser.h"
#include "rivo/type_codes.h"
#include "rivo/version.h"
