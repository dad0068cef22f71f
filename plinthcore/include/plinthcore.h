// The core support library: default heap and string classes.
#pragma once

#include <type_traits>

#include "heap.h"
#include "xstring.h"
